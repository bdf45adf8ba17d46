#include "os.h"

#include "posix_path.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>

namespace os {
namespace {

// Reads the whole file into one buffer of its size (grown only if the file grows meanwhile).
std::optional<std::string> readFd(int fd) {
    struct stat st;
    std::string data(fstat(fd, &st) == 0 && st.st_size > 0 ? static_cast<size_t>(st.st_size) : 0, '\0');
    size_t done = 0;
    for (;;) {
        if (done == data.size()) data.resize(data.size() + 65536);
        ssize_t n = read(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    close(fd);
    data.resize(done);
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
    return stat(posixPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool isDirectory(const std::string& path) {
    struct stat st;
    return stat(posixPath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> listFiles(const std::string& pattern, const std::function<void()>& afterEach) {
    std::vector<std::string> names;
    std::string p = posixPath(pattern);
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
    std::string dir = posixPath(folder);
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
    if (faults::injected()) return std::nullopt;
    int fd = open(posixPath(path).c_str(), O_RDONLY);
    if (fd < 0) return std::nullopt;
    return readFd(fd);
}

std::optional<FileView> FileView::openForUpdate(const std::string& path) {
    if (faults::injected()) return std::nullopt;
    int fd = open(posixPath(path).c_str(), O_RDWR);
    if (fd < 0) return std::nullopt;
    struct stat st;
    if (fstat(fd, &st) != 0) {
        close(fd);
        return std::nullopt;
    }
    FileView view;
    view.file_ = fd;
    if (st.st_size > 0) {
        void* p = mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_SHARED | MAP_POPULATE, fd, 0);
        if (p == MAP_FAILED) return std::nullopt;  // view's destructor closes fd
        view.data_ = p;
        view.size_ = static_cast<size_t>(st.st_size);
    }
    return view;
}

void FileView::release() {
    if (data_) munmap(const_cast<void*>(data_), size_);
    if (file_ >= 0) close(static_cast<int>(file_));
    data_ = nullptr;
    size_ = 0;
    file_ = -1;
}

bool writeFile(const std::string& path, const std::string& bytes) {
    if (faults::injected()) return false;
    std::ofstream out(posixPath(path), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

bool writeFileDurable(const std::string& path, const std::vector<std::string_view>& pieces) {
    if (faults::injected()) return false;
    int fd = open(posixPath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) return false;
    for (std::string_view piece : pieces) {
        while (!piece.empty()) {
            ssize_t n = write(fd, piece.data(), piece.size());
            if (n <= 0) {
                close(fd);
                return false;
            }
            piece.remove_prefix(static_cast<size_t>(n));
        }
    }
    bool ok = fsync(fd) == 0;
    return close(fd) == 0 && ok;
}

bool replaceFile(const std::string& from, const std::string& to) {
    if (faults::injected()) return false;
    return rename(posixPath(from).c_str(), posixPath(to).c_str()) == 0;
}

bool createDirectory(const std::string& path) {
    if (faults::injected()) return false;
    return mkdir(posixPath(path).c_str(), 0777) == 0;
}

bool deleteFile(const std::string& path) {
    if (faults::injected()) return false;
    return unlink(posixPath(path).c_str()) == 0;
}

bool copyFile(const std::string& from, const std::string& to, bool replace) {
    if (faults::injected()) return false;
    if (!replace && isFile(to)) return false;
    int in = open(posixPath(from).c_str(), O_RDONLY);
    if (in < 0) return false;
    int out = open(posixPath(to).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (out < 0) {
        close(in);
        return false;
    }
    // The kernel copies without passing the bytes through this process where it can.
    bool ok = true;
    bool fallback = false;
    for (off_t copied = 0;;) {
        ssize_t n = copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0);
        if (n == 0) break;
        if (n > 0) {
            copied += n;
            continue;
        }
        fallback = copied == 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP);
        ok = fallback;
        break;
    }
    if (fallback) {
        // No in-kernel copy here: the plain way, in large blocks.
        std::string buf(1 << 20, '\0');
        for (;;) {
            ssize_t n = read(in, buf.data(), buf.size());
            if (n == 0) break;
            if (n < 0 || write(out, buf.data(), static_cast<size_t>(n)) != n) {
                ok = false;
                break;
            }
        }
    }
    close(in);
    if (close(out) != 0) ok = false;
    if (!ok) unlink(posixPath(to).c_str());
    return ok;
}

static bool removeNative(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0) return false;
    if (!S_ISDIR(st.st_mode)) return unlink(path.c_str()) == 0;
    bool ok = true;
    if (DIR* d = opendir(path.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string name = e->d_name;
            if (name == "." || name == "..") continue;
            ok = removeNative(path + "/" + name) && ok;
        }
        closedir(d);
    }
    return rmdir(path.c_str()) == 0 && ok;
}

bool removeTree(const std::string& path) {
    if (faults::injected()) return false;
    if (isRootPath(path)) return false;
    std::string p = posixPath(path);
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    if (p == "/" || p.empty()) return false;
    return removeNative(p);
}

LocalTime localTime() {
    time_t now = time(nullptr);
    struct tm tm;
    localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

void dispatchPendingMessages() {}

}  // namespace os
