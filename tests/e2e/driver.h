// Drives a running program from another process: starts it, finds its windows and dialogs,
// reads their texts and list views and answers them, and waits for it to end. Used by the e2e
// tests and by e2e_driver.exe.
//
// Strings are UTF-8 at this interface; the wide API is used underneath. Every wait takes a
// timeout and reports a time-out through its result (nullptr, false, nullopt), so that a caller
// can fail with its own message instead of hanging. Messages sent to the other process go
// through SendMessageTimeout for the same reason: a program stuck in a modal loop must not
// hold the driver.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

using std::chrono::milliseconds;

// Owns a kernel handle; closes it when it goes out of scope.
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
    HANDLE release() {
        HANDLE h = h_;
        h_ = nullptr;
        return h;
    }
    void reset(HANDLE h = nullptr) {
        if (*this) CloseHandle(h_);
        h_ = h;
    }

private:
    HANDLE h_ = nullptr;
};

// A started program. An empty Process (no handle) means the start failed; error says why.
struct Process {
    UniqueHandle handle;
    DWORD pid = 0;
    std::string error;

    explicit operator bool() const { return static_cast<bool>(handle); }
};

// The command line of a program and its arguments, quoted so that CommandLineToArgvW and the C
// runtime give back exactly these arguments.
std::wstring commandLine(const std::string& program, const std::vector<std::string>& arguments);

// Starts program (a full path) with arguments in workingDirectory.
Process start(const std::string& program, const std::vector<std::string>& arguments,
              const std::string& workingDirectory);

// Waits for the process to end; its exit code, or nullopt on time-out.
std::optional<DWORD> waitForExit(HANDLE process, milliseconds timeout);

// True while the process runs.
bool isRunning(HANDLE process);

// Terminates the process if it still runs and waits (bounded) until it is gone. Returns false
// when it was still there at the end of the wait.
bool terminate(HANDLE process, UINT exitCode = 1, milliseconds timeout = milliseconds(5000));

// Runs a console program with arguments, without a window, and collects what it writes to
// standard output and standard error (converted from the console code page).
struct RunResult {
    bool finished = false;   // false: did not start, or was terminated at the time-out
    DWORD exitCode = 0;
    std::string output;
    std::string error;       // why it did not start or finish
};
RunResult run(const std::string& program, const std::vector<std::string>& arguments, milliseconds timeout,
              const std::string& workingDirectory = std::string());

// Runs C:\windows\system32\reg.exe, e.g. {"add", "HKLM\\Software\\X", "/v", "Name", "/d", "v", "/f"}.
RunResult reg(const std::vector<std::string>& arguments, milliseconds timeout = milliseconds(15000));

// --- Windows -------------------------------------------------------------------------------

std::string windowText(HWND hwnd);    // GetWindowTextW: a caption, read without messaging the owner
std::string className(HWND hwnd);
DWORD processOf(HWND hwnd);

// A control's text through WM_GETTEXT (the only way to read a static control of another
// process); nullopt when the owner did not answer in time.
std::optional<std::string> controlText(HWND control, milliseconds timeout = milliseconds(5000));

// The top-level windows of a process (pid 0: of every process), visible or not.
std::vector<HWND> topLevelWindows(DWORD pid);

// One line per top-level window of pid: class, caption and visibility. For failure messages.
std::string describeWindows(DWORD pid);

// Waits for a visible top-level window of pid (0: any process). An empty className or title
// matches any; otherwise the match is exact.
HWND waitForWindow(DWORD pid, const std::string& className, const std::string& title, milliseconds timeout);

// Waits until hwnd is destroyed or hidden.
bool waitUntilGone(HWND hwnd, milliseconds timeout);

// Posts WM_COMMAND with a control or menu item id to a window, as a click on the control or
// the item does. Posted: the handler may show a modal box and not return until it is answered.
bool postCommand(HWND hwnd, int id);

// --- Dialogs -------------------------------------------------------------------------------

enum class DialogKind { MessageBox, FolderBrowser };

// A visible #32770 of pid whose controls exist (its IDOK button is there), or nullptr. Until
// then a click would be lost: the dialog is enumerable before its controls are created.
HWND findReadyDialog(DWORD pid);
HWND waitForDialog(DWORD pid, milliseconds timeout);
// The same, for a dialog with this exact caption only.
HWND waitForDialog(DWORD pid, const std::string& title, milliseconds timeout);

// A folder browser is a #32770 holding a tree view; a message box holds none.
DialogKind dialogKind(HWND dlg);

// A message box's text (its static control 0xFFFF), "\r\n" kept as the program gave it.
std::optional<std::string> messageText(HWND dlg);

// The texts of every static control of a dialog, in child order; empty ones are left out.
std::vector<std::string> staticTexts(HWND dlg);

// True when the dialog has a visible button with this id.
bool hasButton(HWND dlg, int id);

// Clicks a button of the dialog (BM_CLICK, as a mouse click does). False when there is no such
// button or the owner did not take the click in time.
bool clickButton(HWND dlg, int id);

// Closes a window with its close box (WM_SYSCOMMAND SC_CLOSE, as the caption button sends).
// Posted: the owner may enter a modal loop while handling it.
bool postCloseBox(HWND hwnd);
bool postClose(HWND hwnd);   // WM_CLOSE

// --- Another process's list view -----------------------------------------------------------

// LVM_GETITEMCOUNT; -1 when the owner did not answer.
int listViewItemCount(HWND list);

// The text of one cell or one column title, read through a block of the owning process's memory
// (the list view writes into a buffer of its own address space). nullopt on failure.
std::optional<std::string> listViewCell(HWND list, int row, int column);
std::optional<std::string> listViewColumnTitle(HWND list, int column);

// The selected row (LVM_GETNEXTITEM with LVNI_SELECTED), -1 for none; nullopt when the owner
// did not answer.
std::optional<int> listViewSelectedRow(HWND list);

// Selects a row and gives it the focus, as a click on it does (LVM_SETITEMSTATE through a
// block of the owner's memory); in a single-selection list this ends any other selection.
// True when the row is the selected one afterwards.
bool listViewSelect(HWND list, int row);

// The image-list index of a row's icon (LVM_GETITEMW with LVIF_IMAGE); nullopt on failure.
std::optional<int> listViewIcon(HWND list, int row);

// A child window of the given class (direct or deeper), or nullptr.
HWND findChild(HWND parent, const std::string& className);

// --- Dropping files ------------------------------------------------------------------------

// Drops files on a window of another process as the shell does for a window that called
// DragAcceptFiles: a DROPFILES block with the paths is laid out in the owner's memory and
// WM_DROPFILES is posted with it. Posted, because the owner's handler may show a modal box.
// The block is left to the owner, whose DragFinish releases it. False when the block could not
// be made or the message not posted.
bool dropFiles(HWND target, const std::vector<std::string>& paths);

// --- The open-file dialog ------------------------------------------------------------------

// The dialog's file-name field: the combo box 0x47C (a ComboBoxEx32 under Wine, a ComboBox on
// Windows), else the edit box 0x480 of older templates; nullptr when there is neither.
HWND openDialogFileNameField(HWND dlg);

// The folder the dialog shows (CDM_GETFOLDERPATH, answered in a block of the owner's memory).
std::optional<std::string> openDialogFolder(HWND dlg);

// Chooses files in an open-file dialog and presses OK, as a user who types the names does.
// One path is typed whole. Several must lie in one folder: the folder is typed and opened
// first, then the names are typed in the quoted form "a.zip" "b.zip", which the dialog reads
// relative to the folder it shows and returns in the order typed. Returns what went wrong, or
// an empty string once OK has been pressed with the names in the field.
std::string chooseInOpenDialog(HWND dlg, const std::vector<std::string>& paths, milliseconds timeout);

}  // namespace e2e
