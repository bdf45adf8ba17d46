#include "shell/import_queue.h"

#include <commdlg.h>

#include <thread>

#include "common/win/wide.h"
#include "skins/import.h"
#include "texts.h"

void ImportQueue::enqueue(std::vector<std::string> paths) {
    std::lock_guard<std::mutex> lock(mutex_);
    jobs_.push_back(std::move(paths));
    if (!workerStarted_) {
        workerStarted_ = true;
        // The worker lives as long as the process; ending the program abandons it.
        std::thread([this] { run(); }).detach();
    }
    changed_.notify_all();
}

bool ImportQueue::idle() {
    std::lock_guard<std::mutex> lock(mutex_);
    return jobs_.empty() && !busy_;
}

void ImportQueue::run() {
    for (;;) {
        std::vector<std::string> paths;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return !jobs_.empty(); });
            paths = std::move(jobs_.front());
            jobs_.pop_front();
            busy_ = true;
        }
        for (const std::string& path : paths) importSkinPackage(ctx_, path);
        refreshStateHeader(ctx_.list);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            busy_ = false;
        }
        changed_.notify_all();
    }
}

std::vector<std::string> chooseSkinPackages(HWND owner) {
    // "ZIP格式压缩文件\0*.ZIP\0\0"
    std::wstring filter = win::widen(texts::kOpenDialogFilterName);
    filter.push_back(L'\0');
    filter += win::widen(texts::kOpenDialogFilterPattern);
    filter.push_back(L'\0');
    std::wstring title = win::widen(texts::kOpenDialogTitle);
    std::wstring buffer(65536, L'\0');

    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrTitle = title.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&ofn)) return {};

    // One file: its full path. Several: the folder, then each name, each ended by a NUL.
    std::vector<std::wstring> parts;
    for (const wchar_t* p = buffer.c_str(); *p; p += wcslen(p) + 1) parts.emplace_back(p);
    std::vector<std::string> paths;
    if (parts.size() == 1) {
        paths.push_back(win::narrow(parts[0]));
        return paths;
    }
    std::wstring folder = parts[0];
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    for (size_t i = 1; i < parts.size(); ++i) paths.push_back(win::narrow(folder + parts[i]));
    return paths;
}
