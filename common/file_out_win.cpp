#include "file_out.h"

#include <windows.h>

#include "win/wide.h"

namespace fileout {
namespace {

HANDLE asHandle(intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

bool isFolder(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool createFoldersWide(std::wstring p) {
    while (p.size() > 1 && (p.back() == L'\\' || p.back() == L'/')) p.pop_back();
    if (p.empty()) return false;
    // "C:" is the current folder of that drive, which always exists.
    if (isFolder(p) || (p.size() == 2 && p[1] == L':')) return true;
    size_t slash = p.find_last_of(L"\\/");
    if (slash != std::wstring::npos && slash > 0 && !createFoldersWide(p.substr(0, slash))) return false;
    if (CreateDirectoryW(p.c_str(), nullptr)) return true;
    // Another thread or program may have made it in the meantime.
    return GetLastError() == ERROR_ALREADY_EXISTS && isFolder(p);
}

}  // namespace

Writer::~Writer() {
    close();
}

bool Writer::open(const std::string& path) {
    close();
    HANDLE h = CreateFileW(win::widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    handle_ = reinterpret_cast<intptr_t>(h);
    return true;
}

bool Writer::write(const void* data, size_t size) {
    if (handle_ == kNone) return false;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
        DWORD put = 0;
        if (!WriteFile(asHandle(handle_), p, chunk, &put, nullptr) || put == 0) return false;
        p += put;
        size -= put;
    }
    return true;
}

bool Writer::close() {
    if (handle_ == kNone) return false;
    HANDLE h = asHandle(handle_);
    handle_ = kNone;
    return CloseHandle(h) != 0;
}

bool createFolders(const std::string& path) {
    return createFoldersWide(win::widen(path));
}

std::optional<uint64_t> freeSpace(const std::string& folder) {
    std::wstring w = win::widen(folder);
    if (w.empty() || (w.back() != L'\\' && w.back() != L'/')) w += L'\\';
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExW(w.c_str(), &available, nullptr, nullptr)) return std::nullopt;
    return available.QuadPart;
}

}  // namespace fileout
