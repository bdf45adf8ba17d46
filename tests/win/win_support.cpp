#include "win_support.h"

#include <fstream>
#include <iterator>

#include "common/win/wide.h"
#include "support/temp_dir.h"

namespace {

thread_local DialogAnswerer* tCurrent = nullptr;

BOOL CALLBACK collectChild(HWND child, LPARAM p) {
    auto* seen = reinterpret_cast<DialogAnswerer::Seen*>(p);
    std::string cls = className(child);
    if (cls == "Static") seen->statics.push_back(windowText(child));
    if (cls == "SysTreeView32") seen->isFolderBrowser = true;
    return TRUE;
}

}  // namespace

DialogAnswerer::DialogAnswerer(std::deque<int> answers) : answers_(std::move(answers)) {
    tCurrent = this;
    hook_ = SetWindowsHookExW(WH_CBT, hookProc, nullptr, GetCurrentThreadId());
}

DialogAnswerer::~DialogAnswerer() {
    UnhookWindowsHookEx(hook_);
    tCurrent = nullptr;
}

LRESULT CALLBACK DialogAnswerer::hookProc(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_ACTIVATE && tCurrent) {
        HWND hwnd = reinterpret_cast<HWND>(wp);
        if (className(hwnd) == "#32770") tCurrent->onActivate(hwnd);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

void DialogAnswerer::onActivate(HWND dlg) {
    // Activation comes again when the dialog gets the focus back; take each dialog once. Its
    // texts are filled in after activation, so it is read and answered from a timer, which the
    // dialog's own modal loop dispatches.
    if (GetPropW(dlg, L"moyu.answered")) return;
    SetPropW(dlg, L"moyu.answered", reinterpret_cast<HANDLE>(1));
    pending_.push_back(dlg);
    SetTimer(nullptr, 0, 20, timerProc);
}

void CALLBACK DialogAnswerer::timerProc(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    DialogAnswerer* self = tCurrent;
    if (!self) return;
    std::vector<HWND> pending;
    pending.swap(self->pending_);
    for (HWND dlg : pending) {
        if (!IsWindow(dlg)) continue;
        if (!IsWindowVisible(dlg) || !(GetDlgItem(dlg, IDOK) || GetDlgItem(dlg, IDCANCEL))) {
            self->pending_.push_back(dlg);
            SetTimer(nullptr, 0, 20, timerProc);
            continue;
        }
        self->answer(dlg);
    }
}

void DialogAnswerer::answer(HWND dlg) {
    Seen s;
    s.caption = windowText(dlg);
    HWND text = GetDlgItem(dlg, 0xFFFF);
    if (text) s.text = windowText(text);
    s.style = static_cast<UINT>(GetWindowLongPtrW(dlg, GWL_STYLE));
    s.owner = GetWindow(dlg, GW_OWNER);
    EnumChildWindows(dlg, collectChild, reinterpret_cast<LPARAM>(&s));
    for (HWND w : watched_) {
        if (IsWindowEnabled(w)) s.enabledWindows.push_back(w);
    }
    seen_.push_back(s);

    int answer = IDCANCEL;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    if (answer == kCloseBox) {
        PostMessageW(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
        PostMessageW(dlg, WM_COMMAND, answer, 0);
    }
}

std::string windowText(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring buf(n + 1, L'\0');
    n = GetWindowTextW(hwnd, buf.data(), n + 1);
    buf.resize(n);
    return win::narrow(buf);
}

std::string className(HWND hwnd) {
    wchar_t buf[256] = {};
    GetClassNameW(hwnd, buf, 256);
    return win::narrow(buf);
}

int runReg(const std::string& arguments) {
    std::wstring cmd = L"C:\\windows\\system32\\reg.exe " + win::widen(arguments);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(L"C:\\windows\\system32\\reg.exe", cmd.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &si, &pi))
        return -1;
    WaitForSingleObject(pi.hProcess, 30000);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

std::string fileBytes(const std::string& utf8Path) {
    std::ifstream in(fsPath(utf8Path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
