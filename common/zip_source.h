// How minizip reaches an archive file: this system's file functions and the path in the form they
// take. zip_source_win.cpp uses minizip's wide Win32 functions with a UTF-16 path, so an archive
// named with any character opens; zip_source_posix.cpp uses fopen64 with "/" separators.
#pragma once

#include <string>

#include "ioapi.h"

namespace zip {

class ArchiveSource {
public:
    explicit ArchiveSource(const std::string& path);

    // minizip takes the functions by non-const pointer; each opener gets its own copy.
    zlib_filefunc64_def functions() const { return functions_; }
    // The path as the functions take it (NUL-terminated), valid while this object lives.
    const void* path() const;

private:
    zlib_filefunc64_def functions_{};
    std::string narrow_;
    std::wstring wide_;
};

}  // namespace zip
