// The operating-system port: the only functions through which the portable logic touches files,
// time and the message loop. os_win.cpp implements them with the wide Windows API; os_posix.cpp
// implements them so the portable logic and its tests run natively.
//
// Paths are UTF-8 and use "\" as separator, as they do on Windows; the posix side reads "\"
// as "/" (UTF-8 never holds a 0x5C byte inside a character, so this is safe).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace os {

// The directory of the running executable, without a trailing separator.
std::string programDirectory();

bool isFile(const std::string& path);
bool isDirectory(const std::string& path);

// Names (no path) of the files, not folders, that match pattern, which is a folder followed by
// "\" and a wildcard such as "*.zip" (matched without regard to case, as Windows does), in the
// order the file system returns them. afterEach runs after each name found. A missing folder
// gives no names.
std::vector<std::string> listFiles(const std::string& pattern, const std::function<void()>& afterEach = {});

struct DirEntry {
    std::string name;
    bool isDirectory = false;
};

// Every entry of a folder (files and folders, "." and ".." included where the system lists
// them), in the order the file system returns them. A missing or unreadable folder gives none.
std::vector<DirEntry> listEntries(const std::string& folder);

// The whole content of a file, or nullopt when it cannot be opened or read.
std::optional<std::string> readFile(const std::string& path);

// A whole file mapped into memory, opened for reading and writing with sharing for other
// readers and writers, as a file that another program may hold open must be; a file that
// cannot be opened for writing (read-only, locked) gives nothing. A large file costs no buffer
// of its own. The bytes stay valid while the object lives; on Windows the file cannot be
// replaced or truncated meanwhile, so let the view go before replacing the file.
class FileView {
public:
    // nullopt when the file cannot be opened so (missing, read-only, locked) or mapped.
    static std::optional<FileView> openForUpdate(const std::string& path);
    FileView(FileView&& other) noexcept;
    FileView& operator=(FileView&& other) noexcept;
    FileView(const FileView&) = delete;
    FileView& operator=(const FileView&) = delete;
    ~FileView();
    std::string_view bytes() const { return std::string_view(static_cast<const char*>(data_), size_); }

private:
    FileView() = default;
    void release();
    const void* data_ = nullptr;
    size_t size_ = 0;
    intptr_t file_ = -1;
    intptr_t mapping_ = -1;
};

// Creates or truncates the file and writes bytes; false on any failure.
bool writeFile(const std::string& path, const std::string& bytes);

bool createDirectory(const std::string& path);
bool deleteFile(const std::string& path);

// Writes pieces, one after the other, to a new or truncated file and flushes them to the disk before returning, so
// that a replace that follows never puts a half-written file in place; false on any failure.
bool writeFileDurable(const std::string& path, const std::vector<std::string_view>& pieces);

// Puts from in the place of to in one step: afterwards to holds either its old content or
// from's, never a mix, even after a crash. False when the replace failed (both stay).
bool replaceFile(const std::string& from, const std::string& to);

// Copies a file's bytes to to, replacing it when replace is set; false on any failure (a
// partly written copy is removed).
bool copyFile(const std::string& from, const std::string& to, bool replace);

// Deletes a folder with everything in it. A drive's root folder (or "") is never deleted:
// that call fails. False when something could not be removed.
bool removeTree(const std::string& path);

// True for "", "\", "C:", "C:\" and the like: paths that name no folder of their own.
bool isRootPath(const std::string& path);

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
LocalTime localTime();

// Takes every message waiting for this thread's windows, translates and dispatches it, and
// returns when none is left. A no-op where there are no windows.
void dispatchPendingMessages();

// Fault injection for tests: every operation above that reads or changes a file counts as
// one; the n-th from now fails as the system would (n = 1: the next one). 0 turns it off.
namespace faults {
void failOperation(int n);
// Operations counted since the last failOperation call.
int operations();
// Called by every counted operation: true when this one is to fail.
bool injected();
}  // namespace faults

}  // namespace os
