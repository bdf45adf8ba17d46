#include "file_out.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>

#include "posix_path.h"

namespace fileout {
namespace {

bool isFolder(const std::string& nativePath) {
    struct stat st;
    return stat(nativePath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

Writer::~Writer() {
    close();
}

bool Writer::open(const std::string& path) {
    close();
    int fd = ::open(posixPath(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return false;
    handle_ = fd;
    return true;
}

bool Writer::write(const void* data, size_t size) {
    if (handle_ == kNone) return false;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(static_cast<int>(handle_), p, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool Writer::close() {
    if (handle_ == kNone) return false;
    int fd = static_cast<int>(handle_);
    handle_ = kNone;
    return ::close(fd) == 0;
}

bool createFolders(const std::string& path) {
    std::string p = posixPath(path);
    while (p.size() > 1 && p.back() == '/') p.pop_back();
    if (p.empty() || isFolder(p)) return !p.empty();
    size_t slash = p.rfind('/');
    if (slash != std::string::npos && slash > 0 && !createFolders(p.substr(0, slash))) return false;
    if (mkdir(p.c_str(), 0777) == 0) return true;
    // Another thread or program may have made it in the meantime.
    return errno == EEXIST && isFolder(p);
}

std::optional<uint64_t> freeSpace(const std::string& folder) {
    struct statvfs st;
    if (statvfs(posixPath(folder).c_str(), &st) != 0) return std::nullopt;
    return static_cast<uint64_t>(st.f_bavail) * st.f_frsize;
}

}  // namespace fileout
