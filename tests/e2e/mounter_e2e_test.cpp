// End-to-end tests: the real 墨羽挂载器精简版.exe, started in a program directory of its own and
// driven from this process through its windows, with the game client's registry entries seeded
// through reg.exe. Every test leaves no process and no registry key behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "common/win/wide.h"
#include "driver.h"
#include "support/temp_dir.h"

namespace {

using namespace std::chrono_literals;
using e2e::milliseconds;

// Generous for a loaded machine; a passing test never waits this long.
constexpr milliseconds kStartTimeout = 20s;
constexpr milliseconds kDialogTimeout = 10s;
constexpr milliseconds kExitTimeout = 10s;
// How long a program that has just been answered gets to do something it should not do (end,
// show its window again, open another dialog) before the test looks.
constexpr milliseconds kSettleTime = 500ms;

constexpr char kMainClass[] = "MoyuMounterMainWindow";
constexpr char kMainTitle[] = "墨羽挂载器精简版";
constexpr char kExeName[] = "墨羽挂载器精简版.exe";
constexpr char kRegistryKey[] = "HKLM\\Software\\Tencent\\LOL";

constexpr char kFriendlyCaption[] = "【墨羽友情提示】";
constexpr char kCloseQuery[] = "墨羽LOL辅助软件友情提示\r\n确定：关闭软件\r\n取消：最小化软件";
constexpr char kSetGamePathFirst[] = "请先设置游戏路径，否则某些功能将会失效,设置好后，重新启动挂在器！";
constexpr char kGamePathFailed[] = "游戏路径设置失败";
constexpr char kBrowseTitle[] = "游戏根目录";

// Config.ini's key names as GBK bytes, written out so that the expected files do not depend on
// the conversion the program itself uses.
constexpr char kGbkGameDirectoryKey[] = "\xD3\xCE\xCF\xB7\xC4\xBF\xC2\xBC";              // 游戏目录
constexpr char kGbkLaunchFileKey[] = "\xD3\xCE\xCF\xB7\xC6\xF4\xB6\xAF\xCE\xC4\xBC\xFE";  // 游戏启动文件

// A path of the build machine (a Unix path under Wine, reached through drive Z:) as the
// Windows path this process can open.
std::string windowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// UTF-8 to GBK (code page 936) bytes.
std::string gbk(const std::string& utf8) {
    std::wstring wide = win::widen(utf8);
    if (wide.empty()) return std::string();
    int n = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::optional<std::string> fileBytes(const std::string& path) {
    std::ifstream in(fsPath(path), std::ios::binary);
    if (!in) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string joinLines(const std::vector<std::string>& lines, bool finalNewline) {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) out += "\r\n";
        out += lines[i];
    }
    if (finalNewline && !lines.empty()) out += "\r\n";
    return out;
}

// The value of HKLM\Software\Tencent\LOL as this 64-bit process sees it in the 32-bit view.
std::optional<std::string> registryValue(const char* name) {
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

const char* replyName(Reply r) {
    switch (r) {
        case Reply::Ok: return "OK";
        case Reply::Cancel: return "Cancel";
        case Reply::CloseBox: return "its close box";
    }
    return "?";
}

// Owns a test program directory under a fresh temp folder, the program started there, and the
// registry key; TearDown ends the program and deletes the key whatever the test did.
class MounterE2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(deleteRegistryKey());
        // Chinese in the program's own path: it reaches its directory and Config.ini through it.
        programDir_ = temp_ / "墨羽挂载器测试目录";
        gameDir_ = temp_ / "游戏盘\\英雄联盟";
        temp_.makeDir("墨羽挂载器测试目录\\data");
        // A game folder as the client installs it; tests that look at states write their own list.
        temp_.write("游戏盘\\英雄联盟\\Game\\ClientZips.txt", "");
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

    // No dialog shows up within the settle time.
    void expectNoDialog() {
        std::this_thread::sleep_for(kSettleTime);
        HWND dlg = e2e::findReadyDialog(mounter_.pid);
        EXPECT_EQ(dlg, nullptr) << "unexpected dialog \"" << e2e::windowText(dlg) << "\": "
                                << e2e::messageText(dlg).value_or("");
    }

    TempDir temp_;
    std::string programDir_;
    std::string gameDir_;
    e2e::Process mounter_;
};

// --- The close query -------------------------------------------------------------------------

enum class CloseBy { SysCommand, CloseMessage };

struct CloseCase {
    const char* name;
    CloseBy closeBy;   // how the main window is asked to close
    Reply reply;       // how the query is answered
    bool ends;         // OK ends the program; anything else keeps it, hidden
};

// ctest names each case by what PrintTo gives (gtest_discover_tests puts the printed value in
// place of the index), so each case prints as its name.
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class CloseQueryTest : public MounterE2eTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseQueryTest, OkEndsTheProgramOtherAnswersHideIt) {
    const CloseCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(seedGameRegistry());
    ASSERT_NO_FATAL_FAILURE(startMounter());
    HWND main = waitForMainWindow();
    ASSERT_TRUE(main);

    // Posted: the program answers the close with a modal box and does not return meanwhile.
    ASSERT_TRUE(c.closeBy == CloseBy::SysCommand ? e2e::postCloseBox(main) : e2e::postClose(main));
    HWND query = waitForDialog("close query");
    ASSERT_TRUE(query);
    expectMessageBox(query, kCloseQuery, kFriendlyCaption);
    EXPECT_TRUE(e2e::hasButton(query, IDOK));
    EXPECT_TRUE(e2e::hasButton(query, IDCANCEL));
    ASSERT_NO_FATAL_FAILURE(answer(query, c.reply));

    if (c.ends) {
        std::optional<DWORD> code = e2e::waitForExit(mounter_.handle.get(), kExitTimeout);
        ASSERT_TRUE(code) << "the program still runs after OK; its windows:\n" << e2e::describeWindows(mounter_.pid);
        EXPECT_EQ(*code, 0u);
        return;
    }

    std::this_thread::sleep_for(kSettleTime);
    ASSERT_TRUE(e2e::isRunning(mounter_.handle.get())) << "the program ended after " << replyName(c.reply);
    EXPECT_TRUE(IsWindow(main)) << "the main window was destroyed";
    EXPECT_FALSE(IsWindowVisible(main)) << "the main window is still shown";
    EXPECT_EQ(e2e::findReadyDialog(mounter_.pid), nullptr) << "another dialog opened";
    EXPECT_TRUE(e2e::terminate(mounter_.handle.get()));
}

INSTANTIATE_TEST_SUITE_P(
    Replies, CloseQueryTest,
    ::testing::Values(CloseCase{"CloseBoxThenOk", CloseBy::SysCommand, Reply::Ok, true},
                      CloseCase{"WmCloseThenOk", CloseBy::CloseMessage, Reply::Ok, true},
                      CloseCase{"CloseBoxThenCancel", CloseBy::SysCommand, Reply::Cancel, false},
                      CloseCase{"WmCloseThenCancel", CloseBy::CloseMessage, Reply::Cancel, false},
                      CloseCase{"CloseBoxThenQueryClosedByItsCloseBox", CloseBy::SysCommand, Reply::CloseBox, false}));

// --- Start-up without a game directory in the registry --------------------------------------

struct NoGamePathCase {
    const char* name;
    bool setupOnly;        // the key exists with setup but without InstallPath; else no key at all
    Reply browserReply;    // Cancel, or the browser's close box
};

void PrintTo(const NoGamePathCase& c, std::ostream* os) { *os << c.name; }

class NoGamePathTest : public MounterE2eTest, public ::testing::WithParamInterface<NoGamePathCase> {};

TEST_P(NoGamePathTest, PromptsThenBrowsesAndAFailedChoiceKeepsConfigIni) {
    const NoGamePathCase& c = GetParam();
    if (c.setupOnly) {
        ASSERT_NO_FATAL_FAILURE(setRegistryValue("setup", setupValue()));
    }
    const std::string config = std::string("[Config]\r\n") + kGbkGameDirectoryKey + "=E:\\old\r\n";
    temp_.write("墨羽挂载器测试目录\\Config.ini", config);
    ASSERT_NO_FATAL_FAILURE(startMounter());

    HWND prompt = waitForDialog("prompt to set the game path");
    ASSERT_TRUE(prompt);
    expectMessageBox(prompt, kSetGamePathFirst, kFriendlyCaption);
    EXPECT_FALSE(e2e::hasButton(prompt, IDCANCEL)) << "the prompt offers only OK";
    ASSERT_NO_FATAL_FAILURE(answer(prompt, Reply::Ok));

    HWND browser = waitForDialog("folder browser");
    ASSERT_TRUE(browser);
    ASSERT_EQ(e2e::dialogKind(browser), e2e::DialogKind::FolderBrowser)
        << "a message box instead: " << e2e::messageText(browser).value_or("");
    std::vector<std::string> statics = e2e::staticTexts(browser);
    EXPECT_NE(std::find(statics.begin(), statics.end(), kBrowseTitle), statics.end())
        << "the browser's texts: " << ::testing::PrintToString(statics);
    ASSERT_NO_FATAL_FAILURE(answer(browser, c.browserReply));

    HWND failed = waitForDialog("message that the game path was not set");
    ASSERT_TRUE(failed);
    expectMessageBox(failed, kGamePathFailed, kFriendlyCaption);
    ASSERT_NO_FATAL_FAILURE(answer(failed, Reply::Ok));

    ASSERT_TRUE(waitForMainWindow());
    expectNoDialog();
    EXPECT_EQ(fileBytes(programFile("Config.ini")), config) << "Config.ini was changed";
}

INSTANTIATE_TEST_SUITE_P(Registry, NoGamePathTest,
                         ::testing::Values(NoGamePathCase{"NoKeyBrowserCancelled", false, Reply::Cancel},
                                           NoGamePathCase{"SetupOnlyBrowserCancelled", true, Reply::Cancel},
                                           NoGamePathCase{"NoKeyBrowserClosedByItsCloseBox", false,
                                                          Reply::CloseBox}));

// --- The skin list --------------------------------------------------------------------------

// One row of the list: the cells of its four columns.
struct Row {
    std::string name, state, label, time;

    auto key() const { return std::tie(name, state, label, time); }
    bool operator<(const Row& o) const { return key() < o.key(); }
    bool operator==(const Row& o) const { return key() == o.key(); }
};

void PrintTo(const Row& r, std::ostream* os) {
    *os << "{" << r.name << " | " << r.state << " | " << r.label << " | " << r.time << "}";
}

struct ListCase {
    const char* name;
    std::vector<std::string> storeFiles;    // in <programdir>\data
    std::vector<std::string> clientZips;    // lines of Game\ClientZips.txt
    bool finalNewline;                      // whether the file ends with "\r\n"
    std::vector<Row> rows;                  // in any order: the store lists in the file system's order
    std::string stateTitle;
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }

// Reads the list view of the program's main window; rows come back sorted.
std::vector<Row> readRows(HWND list) {
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
    std::sort(rows.begin(), rows.end());
    return rows;
}

class SkinListTest : public MounterE2eTest, public ::testing::WithParamInterface<ListCase> {
protected:
    void writeStore(const ListCase& c) {
        for (const std::string& f : c.storeFiles) temp_.write("墨羽挂载器测试目录\\data\\" + f, "PK\x05\x06" + f);
        temp_.write("游戏盘\\英雄联盟\\Game\\ClientZips.txt", gbk(joinLines(c.clientZips, c.finalNewline)));
    }
};

TEST_P(SkinListTest, ListsTheStoreWithStatesFromClientZipsAndWritesConfigIni) {
    const ListCase& c = GetParam();
    writeStore(c);
    ASSERT_NO_FATAL_FAILURE(seedGameRegistry());
    ASSERT_NO_FATAL_FAILURE(startMounter());
    HWND main = waitForMainWindow();
    ASSERT_TRUE(main);
    expectNoDialog();

    HWND list = e2e::findChild(main, "SysListView32");
    ASSERT_TRUE(list) << "the main window has no list view";
    std::vector<Row> expected = c.rows;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(readRows(list), expected);
    EXPECT_EQ(e2e::listViewColumnTitle(list, 1), c.stateTitle);
    EXPECT_EQ(e2e::listViewColumnTitle(list, 0), "皮肤名称");

    const std::string config = std::string("[Config]\r\n") + kGbkGameDirectoryKey + "=" + gbk(gameDir_) + "\r\n" +
                               kGbkLaunchFileKey + "=" + gbk(setupValue()) + "\r\n";
    EXPECT_EQ(fileBytes(programFile("Config.ini")), config);
}

INSTANTIATE_TEST_SUITE_P(
    Stores, SkinListTest,
    ::testing::Values(
        ListCase{"MixedStates",
                 {"Ahri[2015年3月8日[Ahri[.zip", "阿狸-九尾妖狐[2024年5月1日12时30分[Ahri[.zip",
                  "Annie[2016年1月2日3时[Annie[.zip", "说明.txt"},
                 {"DATA\\FINAL\\Champions\\Ahri.wad.client", "MYSkins\\MY阿狸-九尾妖狐.zip",
                  // Near misses: none of them names Ahri's or Annie's package exactly.
                  "MYSkins\\MYAnnie.zip.bak", "MYSkins\\MYAhri", "MYSkins\\MYAhri.zip ", "MYAhri.zip"},
                 true,
                 {{"Ahri", "未挂载", "Ahri", "2015年3月8日"},
                  {"阿狸-九尾妖狐", "已挂载", "Ahri", "2024年5月1日12时30分"},
                  {"Annie", "未挂载", "Annie", "2016年1月2日3时"}},
                 "状态[1\\3]"},
        ListCase{"AllMountedLastLineWithoutNewline",
                 {"盖伦-钢铁军团[2024年6月18日20时15分33秒[Garen[.zip", "Ezreal[2024年7月3日[Ezreal[.zip"},
                 {"MYSkins\\MYEzreal.zip", "MYSkins\\MY盖伦-钢铁军团.zip"},
                 false,
                 {{"盖伦-钢铁军团", "已挂载", "Garen", "2024年6月18日20时15分33秒"},
                  {"Ezreal", "已挂载", "Ezreal", "2024年7月3日"}},
                 "状态[2\\2]"}));

// With InstallPath but no setup value the registry does not replace the directory kept in
// Config.ini: the file stays as it was and the states come from the game folder it names.
TEST_F(MounterE2eTest, InstallPathWithoutSetupKeepsTheConfiguredGameDirectory) {
    const std::string configured = temp_ / "另一个盘\\英雄联盟";
    temp_.write("另一个盘\\英雄联盟\\Game\\ClientZips.txt", gbk("MYSkins\\MYAnnie.zip\r\n"));
    temp_.write("游戏盘\\英雄联盟\\Game\\ClientZips.txt", gbk("MYSkins\\MYAhri.zip\r\n"));
    temp_.write("墨羽挂载器测试目录\\data\\Ahri[2015年3月8日[Ahri[.zip", "a");
    temp_.write("墨羽挂载器测试目录\\data\\Annie[2016年1月2日[Annie[.zip", "b");
    const std::string config = std::string("[Config]\r\n") + kGbkGameDirectoryKey + "=" + gbk(configured) + "\r\n";
    temp_.write("墨羽挂载器测试目录\\Config.ini", config);
    ASSERT_NO_FATAL_FAILURE(setRegistryValue("InstallPath", gameDir_));
    ASSERT_NO_FATAL_FAILURE(startMounter());

    HWND main = waitForMainWindow();
    ASSERT_TRUE(main);
    expectNoDialog();
    HWND list = e2e::findChild(main, "SysListView32");
    ASSERT_TRUE(list);
    std::vector<Row> expected = {{"Ahri", "未挂载", "Ahri", "2015年3月8日"}, {"Annie", "已挂载", "Annie", "2016年1月2日"}};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(readRows(list), expected);
    EXPECT_EQ(e2e::listViewColumnTitle(list, 1), "状态[1\\2]");
    EXPECT_EQ(fileBytes(programFile("Config.ini")), config);
}

// --- e2e_driver.exe -------------------------------------------------------------------------

// A top-level window of this process, destroyed at the end of the test.
class OwnWindow {
public:
    OwnWindow(const std::string& title, int x, int y, int width, int height) {
        hwnd_ = CreateWindowExW(0, L"STATIC", win::widen(title).c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y,
                                width, height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~OwnWindow() {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    OwnWindow(const OwnWindow&) = delete;
    OwnWindow& operator=(const OwnWindow&) = delete;
    HWND hwnd() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

TEST(E2eDriverProgram, WindowRectPrintsTheFrameRectangleOfTheWindowWithThatTitle) {
    // Unique per run, with a space and Chinese, so that the argument has to arrive intact.
    const std::string title = "截图 窗口 " + std::to_string(GetCurrentProcessId());
    OwnWindow window(title, 37, 41, 333, 222);
    ASSERT_TRUE(window.hwnd());
    // A decoy whose title only begins like the wanted one.
    OwnWindow decoy(title + "x", 100, 120, 200, 150);
    RECT r;
    ASSERT_TRUE(GetWindowRect(window.hwnd(), &r));

    e2e::RunResult result = e2e::run(windowsPath(E2E_DRIVER_EXE), {"window-rect", title}, 30s);
    ASSERT_TRUE(result.finished) << result.error;
    EXPECT_EQ(result.exitCode, 0u) << result.output;
    std::ostringstream want;
    want << r.left << " " << r.top << " " << (r.right - r.left) << " " << (r.bottom - r.top) << "\n";
    EXPECT_EQ(result.output, want.str());
}

TEST(E2eDriverProgram, WindowRectFailsWhenNoSuchWindowAppears) {
    const std::string title = "没有这个窗口 " + std::to_string(GetCurrentProcessId());
    e2e::RunResult result = e2e::run(windowsPath(E2E_DRIVER_EXE), {"window-rect", title, "1"}, 30s);
    ASSERT_TRUE(result.finished) << result.error;
    EXPECT_EQ(result.exitCode, 2u);
    // Only the complaint on standard error, no rectangle.
    EXPECT_EQ(result.output.rfind("e2e_driver: no visible window titled", 0), 0u) << result.output;
}

}  // namespace
