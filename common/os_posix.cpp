#include "os.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <ctime>
#include <fstream>
#include <sstream>

namespace os {
namespace {

std::string native(std::string path) {
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}

std::optional<std::string> readFd(int fd) {
    std::string data;
    char buf[65536];
    for (;;) {
        ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0) {
            close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        data.append(buf, static_cast<size_t>(n));
    }
    close(fd);
    return data;
}

}  // namespace

std::string programDirectory() {
    char buf[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return std::string();
    std::string path(buf, static_cast<size_t>(n));
    return path.substr(0, path.rfind('/'));
}

bool isFile(const std::string& path) {
    struct stat st;
    return stat(native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isDirectory(const std::string& path) {
    struct stat st;
    return stat(native(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> listFiles(const std::string& pattern, const std::function<void()>& afterEach) {
    std::vector<std::string> names;
    std::string p = native(pattern);
    size_t slash = p.rfind('/');
    std::string dir = slash == std::string::npos ? "." : p.substr(0, slash);
    std::string wildcard = slash == std::string::npos ? p : p.substr(slash + 1);
    DIR* d = opendir(dir.c_str());
    if (!d) return names;
    while (dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (fnmatch(wildcard.c_str(), name.c_str(), FNM_CASEFOLD) != 0) continue;
        if (!isFile(dir + "/" + name)) continue;
        names.push_back(name);
        if (afterEach) afterEach();
    }
    closedir(d);
    return names;
}

std::vector<DirEntry> listEntries(const std::string& folder) {
    std::vector<DirEntry> entries;
    std::string dir = native(folder);
    DIR* d = opendir(dir.c_str());
    if (!d) return entries;
    while (dirent* e = readdir(d)) {
        std::string name = e->d_name;
        entries.push_back({name, isDirectory(dir + "/" + name)});
    }
    closedir(d);
    return entries;
}

std::optional<std::string> readFile(const std::string& path) {
    int fd = open(native(path).c_str(), O_RDONLY);
    if (fd < 0) return std::nullopt;
    return readFd(fd);
}

std::optional<std::string> readFileForUpdate(const std::string& path) {
    int fd = open(native(path).c_str(), O_RDWR);
    if (fd < 0) return std::nullopt;
    return readFd(fd);
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(native(path), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

bool createDirectory(const std::string& path) {
    return mkdir(native(path).c_str(), 0777) == 0;
}

bool deleteFile(const std::string& path) {
    return unlink(native(path).c_str()) == 0;
}

LocalTime localTime() {
    time_t now = time(nullptr);
    struct tm tm;
    localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void dispatchPendingMessages() {}

}  // namespace os
