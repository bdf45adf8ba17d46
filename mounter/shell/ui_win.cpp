#include "shell/ui_win.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "common/win/wide.h"
#include "texts.h"

namespace {

// Disables every enabled top-level window of this process and enables them again when it goes
// out of scope, so that nothing else of the program takes input while the browser is shown.
class ProgramWindowsDisabled {
public:
    ProgramWindowsDisabled() {
        EnumWindows(collect, reinterpret_cast<LPARAM>(this));
        for (HWND w : windows_) EnableWindow(w, FALSE);
    }
    ~ProgramWindowsDisabled() {
        for (HWND w : windows_) {
            if (IsWindow(w)) EnableWindow(w, TRUE);
        }
    }
    ProgramWindowsDisabled(const ProgramWindowsDisabled&) = delete;
    ProgramWindowsDisabled& operator=(const ProgramWindowsDisabled&) = delete;

private:
    static BOOL CALLBACK collect(HWND hwnd, LPARAM self) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        if (pid == GetCurrentProcessId() && IsWindowEnabled(hwnd)) {
            reinterpret_cast<ProgramWindowsDisabled*>(self)->windows_.push_back(hwnd);
        }
        return TRUE;
    }

    std::vector<HWND> windows_;
};

}  // namespace

Answer Win32Ui::message(const std::string& text, const std::string& caption, bool withCancel) {
    UINT type = MB_TASKMODAL | MB_ICONINFORMATION | (withCancel ? MB_OKCANCEL : MB_OK);
    int r = MessageBoxW(nullptr, win::widen(text).c_str(), win::widen(caption).c_str(), type);
    return r == IDOK ? Answer::Ok : Answer::Cancel;
}

std::string Win32Ui::browseForGameFolder() {
    std::wstring title = win::widen(texts::kBrowseGameFolderTitle);
    BROWSEINFOW bi = {};
    bi.hwndOwner = GetActiveWindow();
    bi.lpszTitle = title.c_str();
    bi.ulFlags = BIF_EDITBOX;
    PIDLIST_ABSOLUTE item;
    {
        ProgramWindowsDisabled disabled;
        item = SHBrowseForFolderW(&bi);
    }
    if (!item) return std::string();
    wchar_t path[MAX_PATH] = {};
    BOOL ok = SHGetPathFromIDListW(item, path);
    CoTaskMemFree(item);
    return ok ? win::narrow(path) : std::string();
}

void Win32Ui::setMainCaption(const std::string& text) {
    if (main_) SetWindowTextW(main_, win::widen(text).c_str());
}
