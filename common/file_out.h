// Writing files from start to end in large blocks, and the folder and disk-space queries that go
// with it. The zip extraction writes every member through this; file_out_win.cpp implements it
// with the wide Windows API, file_out_posix.cpp natively.
//
// Paths are UTF-8 with "\" separators, as everywhere in the programs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace fileout {

// One file open for writing. Closed when destroyed; close() tells whether the data reached the
// file. Not copyable: it owns the system's handle.
class Writer {
public:
    Writer() = default;
    ~Writer();
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Creates the file, or truncates it when it exists. False when it cannot be created (a
    // missing folder, a folder of that name, no rights). Natively, a symbolic link standing at
    // that name makes it fail rather than be followed.
    bool open(const std::string& path);
    // Writes all of data at the end of what was written so far; false on any failure.
    bool write(const void* data, size_t size);
    // Closes the file; false when closing reported a failure (or nothing was open).
    bool close();
    bool isOpen() const { return handle_ != kNone; }

private:
    static constexpr intptr_t kNone = -1;  // a closed fd, and INVALID_HANDLE_VALUE
    intptr_t handle_ = kNone;
};

// Creates the folder and every missing parent. True when the folder exists afterwards (also when
// it existed before); false when some part of the path is a file or cannot be created.
bool createFolders(const std::string& path);

// Bytes free for this user on the disk that holds folder (which must exist), or nullopt when the
// system cannot tell.
std::optional<uint64_t> freeSpace(const std::string& folder);

}  // namespace fileout
