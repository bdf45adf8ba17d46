// Helpers for tests that run the real Win32 code in-process under Wine.
#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

// Answers the dialogs (#32770: message boxes, the folder browser) that the code under test
// raises on this thread, through a thread-local WH_CBT hook, and records what they showed.
class DialogAnswerer {
public:
    struct Seen {
        std::string caption;
        std::string text;                   // a message box's text; "" for other dialogs
        std::vector<std::string> statics;   // every static control's text
        bool isFolderBrowser = false;       // holds a tree view
        UINT style = 0;
        HWND owner = nullptr;
        std::vector<HWND> enabledWindows;   // watched windows that were enabled while it showed
    };

    // Closes the dialog with its close box instead of a button.
    static constexpr int kCloseBox = 0;

    // answers: IDOK, IDCANCEL or kCloseBox, one per dialog in order; IDCANCEL once they run out.
    explicit DialogAnswerer(std::deque<int> answers = {});
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Windows whose enabled state is recorded while each dialog is shown.
    void watch(HWND hwnd) { watched_.push_back(hwnd); }
    const std::vector<Seen>& seen() const { return seen_; }

private:
    static LRESULT CALLBACK hookProc(int code, WPARAM wp, LPARAM lp);
    static void CALLBACK timerProc(HWND, UINT, UINT_PTR id, DWORD);
    void onActivate(HWND dlg);
    void answer(HWND dlg);

    HHOOK hook_ = nullptr;
    std::deque<int> answers_;
    std::vector<Seen> seen_;
    std::vector<HWND> watched_;
    std::vector<HWND> pending_;
};

std::string windowText(HWND hwnd);
std::string className(HWND hwnd);

// Runs C:\windows\system32\reg.exe with arguments and returns its exit code.
int runReg(const std::string& arguments);

// Reads a whole file's bytes ("" when missing).
std::string fileBytes(const std::string& utf8Path);
