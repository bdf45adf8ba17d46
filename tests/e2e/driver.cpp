#include "driver.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <thread>

#include "common/win/wide.h"

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

// Short enough that a test does not wait noticeably longer than the program takes, long enough
// not to keep a core busy.
constexpr milliseconds kPollInterval(10);
constexpr milliseconds kSendTimeout(5000);

template <typename Pred>
bool pollUntil(milliseconds timeout, Pred done) {
    Clock::time_point deadline = Clock::now() + timeout;
    for (;;) {
        if (done()) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kPollInterval);
    }
}

std::string lastErrorText(const char* what) {
    return std::string(what) + " failed, error " + std::to_string(GetLastError());
}

// The quoting rules of CommandLineToArgvW and the C runtime: backslashes are literal except
// before a double quote, where each one needs its own escape.
std::wstring quoteArgument(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    for (size_t i = 0;; ++i) {
        size_t backslashes = 0;
        while (i < arg.size() && arg[i] == L'\\') {
            ++backslashes;
            ++i;
        }
        if (i == arg.size()) {
            out.append(backslashes * 2, L'\\');
            break;
        }
        if (arg[i] == L'"') {
            out.append(backslashes * 2 + 1, L'\\');
        } else {
            out.append(backslashes, L'\\');
        }
        out.push_back(arg[i]);
    }
    out.push_back(L'"');
    return out;
}

bool sameText(const wchar_t* a, const wchar_t* b) {
    return CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL;
}

std::wstring wideClassName(HWND hwnd) {
    wchar_t buf[256] = {};
    int n = GetClassNameW(hwnd, buf, static_cast<int>(std::size(buf)));
    return std::wstring(buf, n > 0 ? n : 0);
}

std::optional<LRESULT> send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, milliseconds timeout = kSendTimeout) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_NORMAL, static_cast<UINT>(timeout.count()), &result)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

struct ChildSearch {
    std::wstring className;
    std::vector<HWND> found;
};

// A named callback, not a lambda: a lambda converts to a function pointer of the default calling
// convention, which is not CALLBACK (stdcall) in the 32-bit build.
BOOL CALLBACK collectChildOfClass(HWND child, LPARAM lp) {
    auto* s = reinterpret_cast<ChildSearch*>(lp);
    if (sameText(wideClassName(child).c_str(), s->className.c_str())) s->found.push_back(child);
    return TRUE;
}

std::vector<HWND> childrenOfClass(HWND parent, const std::wstring& className) {
    ChildSearch search{className, {}};
    EnumChildWindows(parent, collectChildOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct TopLevelSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK collectTopLevel(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<TopLevelSearch*>(lp);
    if (s->pid == 0 || processOf(hwnd) == s->pid) s->found.push_back(hwnd);
    return TRUE;
}

// A block of memory in another process, freed when it goes out of scope.
class RemoteBlock {
public:
    RemoteBlock(HANDLE process, size_t size) : process_(process) {
        address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBlock() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    char* address() const { return static_cast<char*>(address_); }
    explicit operator bool() const { return address_ != nullptr; }
    // Leaves the block to the other process.
    void release() { address_ = nullptr; }

    bool write(size_t offset, const void* data, size_t size) const {
        SIZE_T done = 0;
        return WriteProcessMemory(process_, address() + offset, data, size, &done) && done == size;
    }
    bool read(const void* remote, void* data, size_t size) const {
        SIZE_T done = 0;
        return ReadProcessMemory(process_, remote, data, size, &done) && done == size;
    }

    // A NUL-terminated string at remote, read a page at a time so that a string near the end of
    // someone else's allocation is read without touching the page after it.
    std::optional<std::wstring> readString(const wchar_t* remote, size_t maxChars) const {
        constexpr size_t kPage = 4096;
        std::wstring out;
        const char* at = reinterpret_cast<const char*>(remote);
        while (out.size() < maxChars) {
            size_t toPageEnd = kPage - reinterpret_cast<uintptr_t>(at) % kPage;
            size_t chars = std::max<size_t>(toPageEnd / sizeof(wchar_t), 1);
            std::wstring chunk(chars, L'\0');
            if (!read(at, chunk.data(), chars * sizeof(wchar_t))) return std::nullopt;
            size_t len = wcsnlen(chunk.c_str(), chars);
            out.append(chunk, 0, len);
            if (len < chars) return out;
            at += chars * sizeof(wchar_t);
        }
        return out;
    }

private:
    HANDLE process_;
    void* address_ = nullptr;
};

// Room for the longest text a list view cell or column title of the program holds.
constexpr size_t kRemoteChars = 4096;

// The process owning a window, opened for work on its memory; empty on failure.
UniqueHandle openOwner(HWND hwnd) {
    DWORD pid = processOf(hwnd);
    if (pid == 0) return UniqueHandle();
    return UniqueHandle(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
}

// Copies a structure into the window owner's memory, sends msg with its address as lParam and
// reads the structure back: for messages that fill in or take a structure without pointers.
template <typename Struct>
std::optional<Struct> remoteStruct(HWND hwnd, UINT msg, WPARAM wp, const Struct& request) {
    UniqueHandle process = openOwner(hwnd);
    if (!process) return std::nullopt;
    RemoteBlock block(process.get(), sizeof(Struct));
    if (!block || !block.write(0, &request, sizeof request)) return std::nullopt;
    if (!send(hwnd, msg, wp, reinterpret_cast<LPARAM>(block.address()))) return std::nullopt;
    Struct answered{};
    if (!block.read(block.address(), &answered, sizeof answered)) return std::nullopt;
    return answered;
}

// Lays out a list-view structure (LVITEMW or LVCOLUMNW) followed by its text buffer in the list
// view's process, sends msg with it, and reads back the text the structure then points to.
template <typename Struct>
std::optional<std::string> remoteText(HWND list, UINT msg, WPARAM wp, Struct request) {
    UniqueHandle process = openOwner(list);
    if (!process) return std::nullopt;
    RemoteBlock block(process.get(), sizeof(Struct) + kRemoteChars * sizeof(wchar_t));
    if (!block) return std::nullopt;

    request.pszText = reinterpret_cast<LPWSTR>(block.address() + sizeof(Struct));
    request.cchTextMax = static_cast<int>(kRemoteChars);
    const wchar_t nothing = L'\0';
    if (!block.write(0, &request, sizeof request) || !block.write(sizeof request, &nothing, sizeof nothing)) {
        return std::nullopt;
    }
    if (!send(list, msg, wp, reinterpret_cast<LPARAM>(block.address()))) return std::nullopt;

    // The list view may answer with a pointer to its own copy of the text instead of filling
    // the buffer, so the text is read where the structure points afterwards.
    Struct answered{};
    if (!block.read(block.address(), &answered, sizeof answered) || !answered.pszText) return std::nullopt;
    std::optional<std::wstring> text = block.readString(answered.pszText, kRemoteChars);
    if (!text) return std::nullopt;
    return win::narrow(*text);
}

}  // namespace

// --- Processes -----------------------------------------------------------------------------

std::wstring commandLine(const std::string& program, const std::vector<std::string>& arguments) {
    std::wstring line = L"\"" + win::widen(program) + L"\"";
    for (const std::string& arg : arguments) line += L" " + quoteArgument(win::widen(arg));
    return line;
}

Process start(const std::string& program, const std::vector<std::string>& arguments,
              const std::string& workingDirectory) {
    Process result;
    std::wstring wprogram = win::widen(program);
    std::wstring line = commandLine(program, arguments);
    std::wstring wdir = win::widen(workingDirectory);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(wprogram.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        wdir.empty() ? nullptr : wdir.c_str(), &si, &pi)) {
        result.error = lastErrorText("CreateProcessW") + " for " + program;
        return result;
    }
    CloseHandle(pi.hThread);
    result.handle.reset(pi.hProcess);
    result.pid = pi.dwProcessId;
    return result;
}

std::optional<DWORD> waitForExit(HANDLE process, milliseconds timeout) {
    if (WaitForSingleObject(process, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process, &code)) return std::nullopt;
    return code;
}

bool isRunning(HANDLE process) {
    return WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

bool terminate(HANDLE process, UINT exitCode, milliseconds timeout) {
    if (!isRunning(process)) return true;
    TerminateProcess(process, exitCode);
    return waitForExit(process, timeout).has_value();
}

RunResult run(const std::string& program, const std::vector<std::string>& arguments, milliseconds timeout,
              const std::string& workingDirectory) {
    RunResult result;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
        result.error = lastErrorText("CreatePipe");
        return result;
    }
    UniqueHandle reader(readEnd);
    UniqueHandle writer(writeEnd);
    SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);
    UniqueHandle input(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING,
                                   0, nullptr));

    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = input ? input.get() : nullptr;
    si.hStdOutput = writer.get();
    si.hStdError = writer.get();
    PROCESS_INFORMATION pi = {};
    std::wstring wprogram = win::widen(program);
    std::wstring line = commandLine(program, arguments);
    std::wstring wdir = win::widen(workingDirectory);
    if (!CreateProcessW(wprogram.c_str(), line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        wdir.empty() ? nullptr : wdir.c_str(), &si, &pi)) {
        result.error = lastErrorText("CreateProcessW") + " for " + program;
        return result;
    }
    CloseHandle(pi.hThread);
    UniqueHandle process(pi.hProcess);
    // Only the child holds the write end now, so the pipe ends when the child does.
    writer.reset();

    std::string bytes;
    auto drain = [&] {
        DWORD available = 0;
        while (PeekNamedPipe(reader.get(), nullptr, 0, nullptr, &available, nullptr) && available > 0) {
            std::string chunk(available, '\0');
            DWORD got = 0;
            if (!ReadFile(reader.get(), chunk.data(), available, &got, nullptr) || got == 0) return;
            bytes.append(chunk.data(), got);
        }
    };
    // Reading only what is there keeps the wait bounded even if the child never closes the pipe.
    Clock::time_point deadline = Clock::now() + timeout;
    while (WaitForSingleObject(process.get(), static_cast<DWORD>(kPollInterval.count())) == WAIT_TIMEOUT) {
        drain();
        if (Clock::now() >= deadline) {
            TerminateProcess(process.get(), 1);
            WaitForSingleObject(process.get(), static_cast<DWORD>(kSendTimeout.count()));
            result.error = program + " did not finish within " + std::to_string(timeout.count()) + " ms";
            break;
        }
    }
    drain();
    if (result.error.empty()) {
        GetExitCodeProcess(process.get(), &result.exitCode);
        result.finished = true;
    }

    // Console programs write in the console's code page.
    if (!bytes.empty()) {
        UINT cp = GetOEMCP();
        int n = MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        std::wstring wide(n, L'\0');
        MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
        result.output = win::narrow(wide);
    }
    return result;
}

RunResult reg(const std::vector<std::string>& arguments, milliseconds timeout) {
    // The full path: a reg.exe in the current directory would be found first otherwise.
    return run("C:\\windows\\system32\\reg.exe", arguments, timeout);
}

// --- Windows -------------------------------------------------------------------------------

std::string windowText(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    if (n <= 0) return std::string();
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd, buf.data(), static_cast<int>(buf.size()));
    buf.resize(n > 0 ? n : 0);
    return win::narrow(buf);
}

std::string className(HWND hwnd) {
    return win::narrow(wideClassName(hwnd));
}

DWORD processOf(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

std::optional<std::string> controlText(HWND control, milliseconds timeout) {
    std::optional<LRESULT> length = send(control, WM_GETTEXTLENGTH, 0, 0, timeout);
    if (!length) return std::nullopt;
    std::wstring buf(static_cast<size_t>(*length) + 1, L'\0');
    std::optional<LRESULT> got =
        send(control, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()), timeout);
    if (!got) return std::nullopt;
    buf.resize(wcsnlen(buf.c_str(), buf.size()));
    return win::narrow(buf);
}

std::vector<HWND> topLevelWindows(DWORD pid) {
    TopLevelSearch search{pid, {}};
    EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string describeWindows(DWORD pid) {
    std::string out;
    for (HWND hwnd : topLevelWindows(pid)) {
        out += "  " + className(hwnd) + " \"" + windowText(hwnd) + "\" " +
               (IsWindowVisible(hwnd) ? "visible" : "hidden") + "\n";
    }
    return out.empty() ? "  (no top-level windows)\n" : out;
}

HWND waitForWindow(DWORD pid, const std::string& wantedClass, const std::string& title, milliseconds timeout) {
    std::wstring wclass = win::widen(wantedClass);
    HWND found = nullptr;
    pollUntil(timeout, [&] {
        for (HWND hwnd : topLevelWindows(pid)) {
            if (!IsWindowVisible(hwnd)) continue;
            if (!wclass.empty() && !sameText(wideClassName(hwnd).c_str(), wclass.c_str())) continue;
            if (!title.empty() && windowText(hwnd) != title) continue;
            found = hwnd;
            return true;
        }
        return false;
    });
    return found;
}

bool waitUntilGone(HWND hwnd, milliseconds timeout) {
    return pollUntil(timeout, [&] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); });
}

bool postCommand(HWND hwnd, int id) {
    return PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0) != FALSE;
}

// --- Dialogs -------------------------------------------------------------------------------

HWND findReadyDialog(DWORD pid) {
    for (HWND hwnd : topLevelWindows(pid)) {
        if (!sameText(wideClassName(hwnd).c_str(), L"#32770")) continue;
        if (IsWindowVisible(hwnd) && GetDlgItem(hwnd, IDOK)) return hwnd;
    }
    return nullptr;
}

HWND waitForDialog(DWORD pid, milliseconds timeout) {
    HWND found = nullptr;
    pollUntil(timeout, [&] { return (found = findReadyDialog(pid)) != nullptr; });
    return found;
}

HWND waitForDialog(DWORD pid, const std::string& title, milliseconds timeout) {
    HWND found = nullptr;
    pollUntil(timeout, [&] {
        for (HWND hwnd : topLevelWindows(pid)) {
            if (!sameText(wideClassName(hwnd).c_str(), L"#32770") || windowText(hwnd) != title) continue;
            if (IsWindowVisible(hwnd) && GetDlgItem(hwnd, IDOK)) {
                found = hwnd;
                return true;
            }
        }
        return false;
    });
    return found;
}

DialogKind dialogKind(HWND dlg) {
    return childrenOfClass(dlg, WC_TREEVIEWW).empty() ? DialogKind::MessageBox : DialogKind::FolderBrowser;
}

std::optional<std::string> messageText(HWND dlg) {
    HWND text = GetDlgItem(dlg, 0xFFFF);
    if (!text) return std::nullopt;
    return controlText(text);
}

std::vector<std::string> staticTexts(HWND dlg) {
    std::vector<std::string> texts;
    for (HWND child : childrenOfClass(dlg, WC_STATICW)) {
        std::optional<std::string> t = controlText(child);
        if (t && !t->empty()) texts.push_back(*t);
    }
    return texts;
}

bool hasButton(HWND dlg, int id) {
    HWND button = GetDlgItem(dlg, id);
    return button && IsWindowVisible(button);
}

bool clickButton(HWND dlg, int id) {
    HWND button = GetDlgItem(dlg, id);
    if (!button) return false;
    return send(button, BM_CLICK, 0, 0).has_value();
}

bool postCloseBox(HWND hwnd) {
    return PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
}

bool postClose(HWND hwnd) {
    return PostMessageW(hwnd, WM_CLOSE, 0, 0) != FALSE;
}

// --- Another process's list view -----------------------------------------------------------

int listViewItemCount(HWND list) {
    std::optional<LRESULT> n = send(list, LVM_GETITEMCOUNT, 0, 0);
    return n ? static_cast<int>(*n) : -1;
}

std::optional<std::string> listViewCell(HWND list, int row, int column) {
    LVITEMW item = {};
    item.iItem = row;
    item.iSubItem = column;
    return remoteText(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), item);
}

std::optional<std::string> listViewColumnTitle(HWND list, int column) {
    LVCOLUMNW col = {};
    col.mask = LVCF_TEXT;
    return remoteText(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), col);
}

std::optional<int> listViewSelectedRow(HWND list) {
    std::optional<LRESULT> row = send(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (!row) return std::nullopt;
    return static_cast<int>(*row);
}

bool listViewSelect(HWND list, int row) {
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    if (!remoteStruct(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), item)) return false;
    return listViewSelectedRow(list) == row;
}

std::optional<int> listViewIcon(HWND list, int row) {
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    std::optional<LVITEMW> answered = remoteStruct(list, LVM_GETITEMW, 0, item);
    if (!answered) return std::nullopt;
    return answered->iImage;
}

HWND findChild(HWND parent, const std::string& wantedClass) {
    std::vector<HWND> found = childrenOfClass(parent, win::widen(wantedClass));
    return found.empty() ? nullptr : found.front();
}

// --- Dropping files ------------------------------------------------------------------------

bool dropFiles(HWND target, const std::vector<std::string>& paths) {
    // DROPFILES, then each path with its terminator, then one more terminator.
    std::wstring list;
    for (const std::string& p : paths) {
        list += win::widen(p);
        list.push_back(L'\0');
    }
    list.push_back(L'\0');
    DROPFILES header = {};
    header.pFiles = sizeof header;
    header.pt = {10, 10};
    header.fWide = TRUE;

    UniqueHandle process = openOwner(target);
    if (!process) return false;
    RemoteBlock block(process.get(), sizeof header + list.size() * sizeof(wchar_t));
    if (!block || !block.write(0, &header, sizeof header) ||
        !block.write(sizeof header, list.data(), list.size() * sizeof(wchar_t))) {
        return false;
    }
    if (!PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(block.address()), 0)) return false;
    block.release();
    return true;
}

// --- The open-file dialog ------------------------------------------------------------------

namespace {

constexpr int kFileNameCombo = 0x47C;  // cmb13
constexpr int kFileNameEdit = 0x480;   // edt1

std::wstring folderKey(std::wstring path) {
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

bool setText(HWND control, const std::wstring& text) {
    return send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())).has_value();
}

}  // namespace

HWND openDialogFileNameField(HWND dlg) {
    if (HWND combo = GetDlgItem(dlg, kFileNameCombo)) return combo;
    return GetDlgItem(dlg, kFileNameEdit);
}

std::optional<std::string> openDialogFolder(HWND dlg) {
    UniqueHandle process = openOwner(dlg);
    if (!process) return std::nullopt;
    RemoteBlock block(process.get(), kRemoteChars * sizeof(wchar_t));
    const wchar_t nothing = L'\0';
    if (!block || !block.write(0, &nothing, sizeof nothing)) return std::nullopt;
    std::optional<LRESULT> n =
        send(dlg, CDM_GETFOLDERPATH, kRemoteChars, reinterpret_cast<LPARAM>(block.address()));
    if (!n || *n <= 0) return std::nullopt;
    std::optional<std::wstring> text =
        block.readString(reinterpret_cast<const wchar_t*>(block.address()), kRemoteChars);
    if (!text) return std::nullopt;
    return win::narrow(*text);
}

std::string chooseInOpenDialog(HWND dlg, const std::vector<std::string>& paths, milliseconds timeout) {
    if (paths.empty()) return "no file to choose";
    HWND field = openDialogFileNameField(dlg);
    if (!field) return "the dialog has no file-name field";

    std::wstring typed;
    if (paths.size() == 1) {
        typed = win::widen(paths.front());
    } else {
        std::wstring folder;
        for (const std::string& p : paths) {
            std::wstring w = win::widen(p);
            size_t slash = w.find_last_of(L'\\');
            if (slash == std::wstring::npos) return "not a full path: " + p;
            std::wstring here = w.substr(0, slash);
            if (folder.empty()) folder = here;
            if (!sameText(here.c_str(), folder.c_str())) return "the files are not in one folder";
            typed += L"\"" + w.substr(slash + 1) + L"\" ";
        }
        typed.pop_back();
        // OK with a folder in the field opens it instead of ending the dialog.
        if (!setText(field, folder) || !clickButton(dlg, IDOK)) return "the folder could not be typed";
        bool opened = pollUntil(timeout, [&] {
            std::optional<std::string> shown = openDialogFolder(dlg);
            return shown && sameText(folderKey(win::widen(*shown)).c_str(), folderKey(folder).c_str());
        });
        if (!opened) {
            return "the dialog did not open " + win::narrow(folder) + "; it shows " +
                   openDialogFolder(dlg).value_or("(no answer)");
        }
    }
    if (!setText(field, typed)) return "the names could not be typed";
    if (!clickButton(dlg, IDOK)) return "OK could not be pressed";
    return std::string();
}

}  // namespace e2e
