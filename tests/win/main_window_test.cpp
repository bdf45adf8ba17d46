// The real MainWindow in-process: its layout, its start-up sequence and its close query, with
// the real message boxes and folder browser answered by a hook.
#include "shell/main_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "common/os.h"
#include "common/text.h"
#include "common/win/wide.h"
#include "shell/ui_win.h"
#include "support/fakes.h"
#include "support/temp_dir.h"
#include "win_support.h"

namespace {

RECT clientRectOf(HWND control, HWND parent) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string menuText(HMENU menu, int position) {
    wchar_t buf[128] = {};
    GetMenuStringW(menu, position, buf, 128, MF_BYPOSITION);
    return win::narrow(buf);
}

void pumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

class MainWindowTest : public ::testing::Test {
protected:
    TempDir dir;
    MemoryConfig config;
    FixedRegistry registry;
    Win32Ui ui;
    int ended = 0;
    std::unique_ptr<MainWindow> window;

    void SetUp() override {
        registry.values = {dir / "英雄联盟", dir / "英雄联盟\\tcls\\client.exe"};
        dir.write("data/Ahri[2015年3月8日[Ahri[.zip", "PK");
        dir.write("data/Annie[2015年3月9日[Annie[.zip", "PK");
        dir.write("英雄联盟/Game/ClientZips.txt", "MYSkins\\MYAnnie.zip\r\n");
    }
    HWND create() {
        window = std::make_unique<MainWindow>(
            MainWindowServices{dir.path(), config, registry, ui, [this] { ++ended; }});
        HWND hwnd = window->create();
        EXPECT_TRUE(hwnd);
        return hwnd;
    }
};

TEST_F(MainWindowTest, WindowControlsAndSizes) {
    HWND hwnd = create();
    ASSERT_TRUE(hwnd);
    EXPECT_EQ(windowText(hwnd), "墨羽挂载器精简版");
    RECT outer;
    GetWindowRect(hwnd, &outer);
    EXPECT_EQ(outer.right - outer.left, 315);
    EXPECT_EQ(outer.bottom - outer.top, 529);

    const struct {
        MainWindow::Id id;
        const char* cls;
        const char* caption;
        int x, y, w, h;
    } controls[] = {
        {MainWindow::kId超级列表框1, "SysListView32", "", 8, 11, 296, 421},
        {MainWindow::kId按钮_启动游戏, "Button", "启动游戏", 33, 436, 96, 40},
        {MainWindow::kId按钮_添加皮肤, "Button", "添加皮肤", 162, 437, 96, 40},
        {MainWindow::kId按钮_手动加载, "Button", "手动加载", 113, 544, 96, 40},
    };
    for (const auto& c : controls) {
        HWND control = window->control(c.id);
        ASSERT_TRUE(control) << c.caption;
        EXPECT_EQ(GetDlgCtrlID(control), c.id);
        EXPECT_EQ(className(control), c.cls);
        if (*c.caption) {
            EXPECT_EQ(windowText(control), c.caption);
        }
        RECT r = clientRectOf(control, hwnd);
        EXPECT_EQ(r.left, c.x) << c.caption;
        EXPECT_EQ(r.top, c.y) << c.caption;
        EXPECT_EQ(r.right - r.left, c.w) << c.caption;
        EXPECT_EQ(r.bottom - r.top, c.h) << c.caption;
    }

    // The menu bar takes exactly one line, so the two visible buttons lie wholly in the client
    // area and 手动加载 lies below it.
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), TRUE, 0);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.bottom, 529 - (frame.bottom - frame.top));
    EXPECT_GE(client.bottom, 437 + 40);
    EXPECT_GE(client.right, 304);
    EXPECT_GT(544, client.bottom);
}

TEST_F(MainWindowTest, MenuBarAndSkinMenu) {
    HWND hwnd = create();
    ASSERT_TRUE(hwnd);
    HMENU bar = GetMenu(hwnd);
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    EXPECT_EQ(menuText(bar, 0), "菜单");
    EXPECT_TRUE(text::startsWith(menuText(bar, 1), "皮肤网址:"));
    EXPECT_GT(menuText(bar, 1).size(), std::string("皮肤网址:").size());
    EXPECT_TRUE(text::startsWith(menuText(bar, 2), "官网:"));
    EXPECT_GT(menuText(bar, 2).size(), std::string("官网:").size());

    const std::vector<std::vector<std::string>> items = {{"设置", "检查更新", "软件关于"}, {"皮肤中心"}, {"官方网站"}};
    for (int i = 0; i < 3; ++i) {
        HMENU sub = GetSubMenu(bar, i);
        ASSERT_TRUE(sub);
        ASSERT_EQ(GetMenuItemCount(sub), static_cast<int>(items[i].size()));
        for (size_t j = 0; j < items[i].size(); ++j) EXPECT_EQ(menuText(sub, static_cast<int>(j)), items[i][j]);
    }

    HMENU skinMenu = window->skinMenu();
    ASSERT_TRUE(skinMenu);
    ASSERT_EQ(GetMenuItemCount(skinMenu), 3);
    EXPECT_EQ(menuText(skinMenu, 0), "挂载皮肤 [墨羽挂载器]");
    EXPECT_EQ(menuText(skinMenu, 1), "取消挂载 [墨羽挂载器]");
    EXPECT_EQ(menuText(skinMenu, 2), "删除皮肤 [墨羽挂载器]");
}

// Records where the popup menu window appeared, then closes the menu.
RECT gMenuRect;
void CALLBACK closeMenuWhenShown(HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    GetWindowRect(menu, &gMenuRect);
    KillTimer(nullptr, id);
    EndMenu();
}

TEST_F(MainWindowTest, RightClickPopsTheSkinMenuBesideTheMouse) {
    HWND hwnd = create();
    ASSERT_TRUE(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    SetCursorPos(150, 200);
    POINT pt;
    GetCursorPos(&pt);
    gMenuRect = {};
    UINT_PTR timer = SetTimer(nullptr, 0, 20, closeMenuWhenShown);
    NMHDR click = {window->control(MainWindow::kId超级列表框1), MainWindow::kId超级列表框1, static_cast<UINT>(NM_RCLICK)};
    SendMessageW(hwnd, WM_NOTIFY, click.idFrom, reinterpret_cast<LPARAM>(&click));
    KillTimer(nullptr, timer);
    EXPECT_EQ(gMenuRect.left, pt.x + 3);
    EXPECT_EQ(gMenuRect.top, pt.y + 3);
}

TEST_F(MainWindowTest, StartupFillsTheListAndRemovesTheInstaller) {
    dir.write("墨羽挂载器精简版安装包.exe", "MZ");
    HWND hwnd = create();
    ASSERT_TRUE(hwnd);
    EXPECT_FALSE(os::isFile(dir / "墨羽挂载器精简版安装包.exe"));
    SkinList& skins = window->skins();
    ASSERT_EQ(skins.count(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(skins.cell(i, kColumnState), skins.cell(i, kColumnName) == "Annie" ? "已挂载" : "未挂载");
    }
    wchar_t title[64] = {};
    LVCOLUMNW col = {};
    col.mask = LVCF_TEXT;
    col.pszText = title;
    col.cchTextMax = 64;
    SendMessageW(window->control(MainWindow::kId超级列表框1), LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&col));
    EXPECT_EQ(win::narrow(title), "状态[1\\2]");
    // Both registry values were present: they are what Config.ini now holds.
    EXPECT_EQ(config.gameDirectory, registry.values.installPath);
    EXPECT_EQ(config.launchFile, registry.values.setup);
}

TEST_F(MainWindowTest, StartupPromptCancelledLeavesConfigAlone) {
    registry.values = {};
    config.gameDirectory = "E:\\old";
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    DialogAnswerer answerer({IDOK, IDCANCEL, IDOK});
    answerer.watch(other);
    HWND hwnd = create();
    ASSERT_TRUE(hwnd);

    const auto& seen = answerer.seen();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].text, "请先设置游戏路径，否则某些功能将会失效,设置好后，重新启动挂在器！");
    EXPECT_EQ(seen[0].caption, "【墨羽友情提示】");
    EXPECT_EQ(seen[0].owner, nullptr);
    EXPECT_TRUE(seen[1].isFolderBrowser);
    EXPECT_NE(std::find(seen[1].statics.begin(), seen[1].statics.end(), "游戏根目录"), seen[1].statics.end());
    EXPECT_TRUE(seen[1].enabledWindows.empty()) << "the program's windows stay usable under the folder browser";
    EXPECT_EQ(seen[2].text, "游戏路径设置失败");
    EXPECT_EQ(seen[2].caption, "【墨羽友情提示】");
    EXPECT_TRUE(IsWindowEnabled(other));
    EXPECT_EQ(config.gameDirectory, "E:\\old");
    EXPECT_TRUE(config.writes.empty());
    DestroyWindow(other);
}

TEST_F(MainWindowTest, CloseQueryCancelOrCloseBoxHides) {
    for (int answer : {IDCANCEL, DialogAnswerer::kCloseBox}) {
        SCOPED_TRACE(answer);
        HWND hwnd = create();
        ASSERT_TRUE(hwnd);
        ShowWindow(hwnd, SW_SHOW);
        DialogAnswerer answerer({answer});
        SendMessageW(hwnd, WM_CLOSE, 0, 0);
        pumpMessages();
        ASSERT_EQ(answerer.seen().size(), 1u);
        EXPECT_EQ(answerer.seen()[0].text, "墨羽LOL辅助软件友情提示\r\n确定：关闭软件\r\n取消：最小化软件");
        EXPECT_EQ(answerer.seen()[0].caption, "【墨羽友情提示】");
        EXPECT_TRUE(IsWindow(hwnd));
        EXPECT_FALSE(IsWindowVisible(hwnd));
        EXPECT_EQ(ended, 0);
    }
}

TEST_F(MainWindowTest, CloseQueryOkDestroysAfterTheHandlerReturns) {
    HWND hwnd = create();
    ASSERT_TRUE(hwnd);
    DialogAnswerer answerer({IDOK});
    EXPECT_TRUE(window->queryMainClose());
    EXPECT_TRUE(IsWindow(hwnd)) << "destruction waits for the message loop";
    pumpMessages();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(ended, 1);
}

TEST_F(MainWindowTest, EndSessionQueryAsksTheSameQuestion) {
    HWND hwnd = create();
    ASSERT_TRUE(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    DialogAnswerer answerer({IDCANCEL});
    EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, 0), FALSE);
    ASSERT_EQ(answerer.seen().size(), 1u);
    EXPECT_EQ(answerer.seen()[0].caption, "【墨羽友情提示】");
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_TRUE(IsWindow(hwnd));
}

}  // namespace
