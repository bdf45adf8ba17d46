// End-to-end tests: the real 墨羽挂载器精简版.exe, started in a program directory of its own and
// driven from this process through its windows, with the game client's registry entries seeded
// through reg.exe. Every test leaves no process and no registry key behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "common/win/wide.h"
#include "driver.h"
#include "mounter_fixture.h"

namespace {

using namespace e2etest;

constexpr char kCloseQuery[] = "墨羽LOL辅助软件友情提示\r\n确定：关闭软件\r\n取消：最小化软件";
constexpr char kSetGamePathFirst[] = "请先设置游戏路径，否则某些功能将会失效,设置好后，重新启动挂在器！";
constexpr char kGamePathFailed[] = "游戏路径设置失败";
constexpr char kBrowseTitle[] = "游戏根目录";

// Config.ini's key names as GBK bytes, written out so that the expected files do not depend on
// the conversion the program itself uses.
constexpr char kGbkGameDirectoryKey[] = "\xD3\xCE\xCF\xB7\xC4\xBF\xC2\xBC";              // 游戏目录
constexpr char kGbkLaunchFileKey[] = "\xD3\xCE\xCF\xB7\xC6\xF4\xB6\xAF\xCE\xC4\xBC\xFE";  // 游戏启动文件

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

struct ListCase {
    const char* name;
    std::vector<std::string> storeFiles;    // in <programdir>\data
    std::vector<std::string> clientZips;    // lines of Game\ClientZips.txt
    bool finalNewline;                      // whether the file ends with "\r\n"
    std::vector<Row> rows;                  // in any order: the store lists in the file system's order
    std::string stateTitle;
};

void PrintTo(const ListCase& c, std::ostream* os) { *os << c.name; }

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
