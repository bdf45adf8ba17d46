#include "os.h"

#include <windows.h>

#include <algorithm>

#include "win/wide.h"

namespace os {
namespace {

struct Handle {
    HANDLE h;
    explicit Handle(HANDLE handle) : h(handle) {}
    ~Handle() {
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
};

std::optional<std::string> readWhole(HANDLE h) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(h, &size) || size.QuadPart > 0x7fffffff) return std::nullopt;
    std::string data(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < data.size()) {
        DWORD got = 0;
        if (!ReadFile(h, data.data() + done, static_cast<DWORD>(data.size() - done), &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        done += got;
    }
    data.resize(done);
    return data;
}

DWORD attributes(const std::string& path) {
    return GetFileAttributesW(win::widen(path).c_str());
}

}  // namespace

std::string programDirectory() {
    std::wstring buf(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) return std::string();
        if (n < buf.size()) {
            buf.resize(n);
            break;
        }
        buf.resize(buf.size() * 2);
    }
    size_t slash = buf.rfind(L'\\');
    return win::narrow(slash == std::wstring::npos ? buf : buf.substr(0, slash));
}

bool isFile(const std::string& path) {
    DWORD a = attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool isDirectory(const std::string& path) {
    DWORD a = attributes(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> listFiles(const std::string& pattern, const std::function<void()>& afterEach) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(win::widen(pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        names.push_back(win::narrow(fd.cFileName));
        if (afterEach) afterEach();
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return names;
}

std::vector<DirEntry> listEntries(const std::string& folder) {
    std::vector<DirEntry> entries;
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
    pattern += "*.*";
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(win::widen(pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return entries;
    do {
        entries.push_back({win::narrow(fd.cFileName), (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return entries;
}

std::optional<std::string> readFile(const std::string& path) {
    if (faults::injected()) return std::nullopt;
    Handle f(CreateFileW(win::widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (f.h == INVALID_HANDLE_VALUE) return std::nullopt;
    return readWhole(f.h);
}

std::optional<FileView> FileView::openForUpdate(const std::string& path) {
    if (faults::injected()) return std::nullopt;
    HANDLE f = CreateFileW(win::widen(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return std::nullopt;
    FileView view;
    view.file_ = reinterpret_cast<intptr_t>(f);
    LARGE_INTEGER size;
    if (!GetFileSizeEx(f, &size) || size.QuadPart > 0x7fffffff) return std::nullopt;
    if (size.QuadPart == 0) return view;  // an empty file cannot be mapped
    HANDLE mapping = CreateFileMappingW(f, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (!mapping) return std::nullopt;
    view.mapping_ = reinterpret_cast<intptr_t>(mapping);
    view.data_ = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (!view.data_) return std::nullopt;
    view.size_ = static_cast<size_t>(size.QuadPart);
    return view;
}

void FileView::release() {
    if (data_) UnmapViewOfFile(data_);
    if (mapping_ != -1) CloseHandle(reinterpret_cast<HANDLE>(mapping_));
    if (file_ != -1) CloseHandle(reinterpret_cast<HANDLE>(file_));
    data_ = nullptr;
    size_ = 0;
    file_ = -1;
    mapping_ = -1;
}

bool writeFile(const std::string& path, const std::string& bytes) {
    if (faults::injected()) return false;
    Handle f(CreateFileW(win::widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (f.h == INVALID_HANDLE_VALUE) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD put = 0;
        if (!WriteFile(f.h, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &put, nullptr)) return false;
        done += put;
    }
    return true;
}

bool writeFileDurable(const std::string& path, const std::vector<std::string_view>& pieces) {
    if (faults::injected()) return false;
    Handle f(CreateFileW(win::widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (f.h == INVALID_HANDLE_VALUE) return false;
    for (std::string_view piece : pieces) {
        while (!piece.empty()) {
            DWORD put = 0;
            DWORD chunk = static_cast<DWORD>(std::min<size_t>(piece.size(), 1u << 30));
            if (!WriteFile(f.h, piece.data(), chunk, &put, nullptr) || put == 0) return false;
            piece.remove_prefix(put);
        }
    }
    return FlushFileBuffers(f.h) != 0;
}

bool replaceFile(const std::string& from, const std::string& to) {
    if (faults::injected()) return false;
    return MoveFileExW(win::widen(from).c_str(), win::widen(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool createDirectory(const std::string& path) {
    if (faults::injected()) return false;
    return CreateDirectoryW(win::widen(path).c_str(), nullptr) != 0;
}

bool deleteFile(const std::string& path) {
    if (faults::injected()) return false;
    return DeleteFileW(win::widen(path).c_str()) != 0;
}

bool copyFile(const std::string& from, const std::string& to, bool replace) {
    if (faults::injected()) return false;
    return CopyFileW(win::widen(from).c_str(), win::widen(to).c_str(), replace ? FALSE : TRUE) != 0;
}

namespace {

bool removeWide(const std::wstring& path) {
    DWORD a = GetFileAttributesW(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return false;
    if (a & FILE_ATTRIBUTE_READONLY) SetFileAttributesW(path.c_str(), a & ~FILE_ATTRIBUTE_READONLY);
    // A reparse point (junction, link) is removed itself; what it points to is left alone.
    if (!(a & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileW(path.c_str()) != 0;
    bool ok = true;
    if (!(a & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = fd.cFileName;
                if (name == L"." || name == L"..") continue;
                ok = removeWide(path + L"\\" + name) && ok;
            } while (FindNextFileW(h, &fd));
            FindClose(h);
        }
    }
    return RemoveDirectoryW(path.c_str()) != 0 && ok;
}

}  // namespace

bool removeTree(const std::string& path) {
    if (faults::injected()) return false;
    if (isRootPath(path)) return false;
    std::wstring p = win::widen(path);
    while (!p.empty() && p.back() == L'\\') p.pop_back();
    return removeWide(p);
}

LocalTime localTime() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

void dispatchPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        // A WM_QUIT taken here would be lost to the main loop; put it back and stop.
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace os
