// What the e2e test files share: the program directory and game folder of one test, the
// registry key seeded through reg.exe, the program started there, and the reading of its skin
// list. Every test leaves no process and no registry key behind.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "common/win/wide.h"
#include "driver.h"
#include "support/temp_dir.h"
#include "support/zip_writer.h"

namespace e2etest {

using namespace std::chrono_literals;
using e2e::milliseconds;

// Generous for a loaded machine; a passing test never waits this long.
constexpr milliseconds kStartTimeout = 20s;
constexpr milliseconds kDialogTimeout = 10s;
constexpr milliseconds kExitTimeout = 10s;
// How long the program gets for a change that follows an answered box or a command (a
// recounted column title, a state cell, an imported row).
constexpr milliseconds kChangeTimeout = 10s;
// How long a program that has just been answered gets to do something it should not do (end,
// show its window again, open another dialog) before the test looks.
constexpr milliseconds kSettleTime = 500ms;

constexpr char kMainClass[] = "MoyuMounterMainWindow";
constexpr char kMainTitle[] = "墨羽挂载器精简版";
constexpr char kExeName[] = "墨羽挂载器精简版.exe";
constexpr char kRegistryKey[] = "HKLM\\Software\\Tencent\\LOL";
// The relative folders of a test's temp folder.
constexpr char kProgramFolder[] = "墨羽挂载器测试目录";
constexpr char kGameFolder[] = "游戏盘\\英雄联盟";

constexpr char kFriendlyCaption[] = "【墨羽友情提示】";
constexpr char kNoticeCaption[] = "【墨羽提示】";

// The control and command ids of the main window, as a click on them posts them.
constexpr int kIdSkinList = 100;
constexpr int kIdAddSkinButton = 102;
constexpr int kCmdMountSkin = 205;
constexpr int kCmdUnmountSkin = 206;

// A path of the build machine (a Unix path under Wine, reached through drive Z:) as the
// Windows path this process can open.
inline std::string windowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// UTF-8 to GBK (code page 936) bytes.
inline std::string gbk(const std::string& utf8) {
    std::wstring wide = win::widen(utf8);
    if (wide.empty()) return std::string();
    int n = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

inline std::optional<std::string> fileBytes(const std::string& path) {
    std::ifstream in(fsPath(path), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool pathExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(fsPath(path), ec);
}

// The names of the files in a folder, sorted; none when it does not exist.
inline std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(fsPath(folder), ec), end; !ec && it != end; it.increment(ec)) {
        names.push_back(it->path().filename().u8string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

inline std::string joinLines(const std::vector<std::string>& lines, bool finalNewline) {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out += "\r\n";
        out += lines[i];
    }
    if (finalNewline && !lines.empty()) out += "\r\n";
    return out;
}

// A zip archive of files given as name and content, deflated.
struct ZipFile {
    std::string name;
    std::string data;
};
inline std::string zipOf(const std::vector<ZipFile>& files) {
    std::vector<ziptest::Member> members;
    for (const ZipFile& f : files) {
        ziptest::Member m;
        m.name = f.name;
        m.data = f.data;
        members.push_back(m);
    }
    return ziptest::buildZip(members);
}

// Polls until done() holds or the timeout passes; the result of the last poll.
template <typename Pred>
bool waitUntil(milliseconds timeout, Pred done) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(10ms);
    }
}

// The value of HKLM\Software\Tencent\LOL as this 64-bit process sees it in the 32-bit view.
inline std::optional<std::string> registryValue(const char* name) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Tencent\\LOL", 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    wchar_t buf[1024] = {};
    DWORD size = sizeof buf - sizeof(wchar_t);  // room for a terminator the value may lack
    DWORD type = 0;
    LSTATUS status =
        RegQueryValueExW(key, win::widen(name).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    return win::narrow(buf);
}

enum class Reply { Ok, Cancel, CloseBox };

inline const char* replyName(Reply r) {
    switch (r) {
        case Reply::Ok: return "OK";
        case Reply::Cancel: return "Cancel";
        case Reply::CloseBox: return "its close box";
    }
    return "?";
}

// One row of the list: the cells of its four columns.
struct Row {
    std::string name, state, label, time;

    auto key() const { return std::tie(name, state, label, time); }
    bool operator<(const Row& o) const { return key() < o.key(); }
    bool operator==(const Row& o) const { return key() == o.key(); }
};

inline void PrintTo(const Row& r, std::ostream* os) {
    *os << "{" << r.name << " | " << r.state << " | " << r.label << " | " << r.time << "}";
}

// The rows of the program's list view in the list's order.
inline std::vector<Row> readRowsInOrder(HWND list) {
    std::vector<Row> rows;
    int n = e2e::listViewItemCount(list);
    for (int i = 0; i < n; ++i) {
        Row r;
        std::string* cells[] = {&r.name, &r.state, &r.label, &r.time};
        for (int col = 0; col < 4; ++col) {
            std::optional<std::string> text = e2e::listViewCell(list, i, col);
            EXPECT_TRUE(text) << "cell " << i << "," << col << " could not be read";
            *cells[col] = text.value_or("<unreadable>");
        }
        rows.push_back(r);
    }
    return rows;
}

// The rows sorted: the store lists in the file system's order, which a test does not rely on.
inline std::vector<Row> readRows(HWND list) {
    std::vector<Row> rows = readRowsInOrder(list);
    std::sort(rows.begin(), rows.end());
    return rows;
}

// Owns a test program directory under a fresh temp folder, the program started there, and the
// registry key; TearDown ends the program and deletes the key whatever the test did.
class MounterE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(deleteRegistryKey());
        // Chinese in the program's own path: it reaches its directory and Config.ini through it.
        programDir_ = temp_ / kProgramFolder;
        gameDir_ = temp_ / kGameFolder;
        temp_.makeDir(std::string(kProgramFolder) + "\\data");
        // A game folder as the client installs it; tests that look at states write their own list.
        writeGameFile("ClientZips.txt", "");
        std::error_code ec;
        std::filesystem::copy_file(fsPath(windowsPath(MOUNTER_EXE)), fsPath(programFile(kExeName)), ec);
        ASSERT_FALSE(ec) << "cannot copy " << MOUNTER_EXE << ": " << ec.message();
    }

    void TearDown() override {
        if (mounter_) {
            EXPECT_TRUE(e2e::terminate(mounter_.handle.get())) << "the program could not be ended";
        }
        e2e::RunResult r = e2e::reg({"delete", kRegistryKey, "/f", "/reg:32"});
        EXPECT_TRUE(r.finished) << r.error;
    }

    std::string programFile(const std::string& relative) const { return programDir_ + "\\" + relative; }
    // A file under the game folder's Game folder, e.g. "ClientZips.txt" or "MYSkins\\MYAhri.zip".
    std::string gameFile(const std::string& relative) const { return gameDir_ + "\\Game\\" + relative; }
    void writeGameFile(const std::string& relative, const std::string& bytes) const {
        temp_.write(std::string(kGameFolder) + "\\Game\\" + relative, bytes);
    }
    // A package in the program's store, named as an import names it.
    void writeStoredPackage(const std::string& fileName, const std::string& bytes) const {
        temp_.write(std::string(kProgramFolder) + "\\data\\" + fileName, bytes);
    }

    void deleteRegistryKey() {
        // Fails harmlessly when the key is not there.
        e2e::RunResult r = e2e::reg({"delete", kRegistryKey, "/f", "/reg:32"});
        ASSERT_TRUE(r.finished) << r.error;
        ASSERT_FALSE(registryValue("InstallPath")) << "the key is still there after reg delete";
    }

    void setRegistryValue(const char* name, const std::string& value) {
        e2e::RunResult r =
            e2e::reg({"add", kRegistryKey, "/v", name, "/t", "REG_SZ", "/d", value, "/f", "/reg:32"});
        ASSERT_TRUE(r.finished && r.exitCode == 0) << "reg add " << name << " failed (exit " << r.exitCode
                                                   << "): " << r.error << r.output;
        // Check that the value arrived as given, Chinese included, in the view the program reads.
        ASSERT_EQ(registryValue(name), value);
    }

    // Both values, as the game client's installer leaves them; no start-up prompt follows.
    void seedGameRegistry() {
        ASSERT_NO_FATAL_FAILURE(setRegistryValue("InstallPath", gameDir_));
        ASSERT_NO_FATAL_FAILURE(setRegistryValue("setup", setupValue()));
    }
    // Deliberately not launchFileOf(InstallPath), so that the program is seen to copy the value.
    std::string setupValue() const { return gameDir_ + "\\TCLS\\Client.exe"; }

    void startMounter() {
        mounter_ = e2e::start(programFile(kExeName), {}, programDir_);
        ASSERT_TRUE(mounter_) << mounter_.error;
    }

    // Ends the program as a crash or a power cut would: what it left on disk is all the next
    // start has.
    void stopMounter() {
        ASSERT_TRUE(e2e::terminate(mounter_.handle.get())) << "the program could not be ended";
        mounter_ = e2e::Process();
    }

    // The main window once it is shown, or nullptr after a recorded failure. Wherever a test
    // waits for it no dialog is due, so one that shows up instead ends the wait at once.
    HWND waitForMainWindow() {
        auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
        while (std::chrono::steady_clock::now() < deadline) {
            HWND main = e2e::waitForWindow(mounter_.pid, kMainClass, kMainTitle, 100ms);
            if (main) return main;
            if (HWND dlg = e2e::findReadyDialog(mounter_.pid)) {
                ADD_FAILURE() << "a dialog \"" << e2e::windowText(dlg) << "\" instead of the main window: "
                              << e2e::messageText(dlg).value_or("(no message text)");
                return nullptr;
            }
            if (!e2e::isRunning(mounter_.handle.get())) break;
        }
        ADD_FAILURE() << "no visible main window; the program's windows:\n" << e2e::describeWindows(mounter_.pid)
                      << (e2e::isRunning(mounter_.handle.get()) ? "" : "and the program has ended\n");
        return nullptr;
    }

    // Seeds the registry, starts the program and waits for its main window and its skin list,
    // which main_ and list_ then hold. Start-up asks nothing when the registry is seeded.
    void startWithGameRegistry() {
        ASSERT_NO_FATAL_FAILURE(seedGameRegistry());
        ASSERT_NO_FATAL_FAILURE(startAndFindList());
    }

    // Starts the program (again) with the registry as it is and waits for its list.
    void startAndFindList() {
        ASSERT_NO_FATAL_FAILURE(startMounter());
        main_ = waitForMainWindow();
        ASSERT_TRUE(main_);
        list_ = GetDlgItem(main_, kIdSkinList);
        ASSERT_TRUE(list_) << "the main window has no skin list";
        ASSERT_EQ(e2e::className(list_), "SysListView32");
    }

    // The next ready dialog of the program, or nullptr after a recorded failure.
    HWND waitForDialog(const char* what) {
        HWND dlg = e2e::waitForDialog(mounter_.pid, kDialogTimeout);
        if (!dlg) {
            ADD_FAILURE() << "no " << what << " appeared; the program's windows:\n"
                          << e2e::describeWindows(mounter_.pid)
                          << (e2e::isRunning(mounter_.handle.get()) ? "" : "and the program has ended\n");
        }
        return dlg;
    }

    void expectMessageBox(HWND dlg, const std::string& text, const std::string& caption) {
        EXPECT_EQ(e2e::dialogKind(dlg), e2e::DialogKind::MessageBox);
        EXPECT_EQ(e2e::messageText(dlg), text);
        EXPECT_EQ(e2e::windowText(dlg), caption);
    }

    void answer(HWND dlg, Reply reply) {
        switch (reply) {
            case Reply::Ok: ASSERT_TRUE(e2e::clickButton(dlg, IDOK)) << "OK could not be clicked"; break;
            case Reply::Cancel: ASSERT_TRUE(e2e::clickButton(dlg, IDCANCEL)) << "Cancel could not be clicked"; break;
            case Reply::CloseBox: ASSERT_TRUE(e2e::postCloseBox(dlg)); break;
        }
        ASSERT_TRUE(e2e::waitUntilGone(dlg, kDialogTimeout))
            << "the dialog stayed open after " << replyName(reply) << "; the program's windows:\n"
            << e2e::describeWindows(mounter_.pid);
    }

    // Waits for the next message box, checks its text and caption exactly and answers it OK.
    void expectMessageBoxAndOk(const char* what, const std::string& text, const std::string& caption) {
        HWND box = waitForDialog(what);
        ASSERT_TRUE(box);
        expectMessageBox(box, text, caption);
        ASSERT_NO_FATAL_FAILURE(answer(box, Reply::Ok));
    }

    // No dialog shows up within the settle time.
    void expectNoDialog() {
        std::this_thread::sleep_for(kSettleTime);
        HWND dlg = e2e::findReadyDialog(mounter_.pid);
        EXPECT_EQ(dlg, nullptr) << "unexpected dialog \"" << e2e::windowText(dlg) << "\": "
                                << e2e::messageText(dlg).value_or("");
    }

    // Waits until the state column's title reads title: the program sets it last, after the
    // rows it counts, so the wait also covers the change it sums up.
    void waitForStateTitle(const std::string& title) {
        bool reached = waitUntil(kChangeTimeout, [&] { return e2e::listViewColumnTitle(list_, 1) == title; });
        ASSERT_TRUE(reached) << "the state column's title is still "
                             << e2e::listViewColumnTitle(list_, 1).value_or("(unreadable)") << ", not " << title
                             << "; the program's windows:\n" << e2e::describeWindows(mounter_.pid);
    }

    TempDir temp_;
    std::string programDir_;
    std::string gameDir_;
    e2e::Process mounter_;
    HWND main_ = nullptr;
    HWND list_ = nullptr;
};

}  // namespace e2etest
