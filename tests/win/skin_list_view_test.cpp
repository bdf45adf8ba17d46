// The real list view 超级列表框1, rebuilt from a fixture store and ClientZips.txt.
#include "shell/skin_list_view.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>

#include "common/win/wide.h"
#include "skins/skin_store.h"
#include "support/fakes.h"
#include "support/temp_dir.h"
#include "win_support.h"

namespace {

class ListViewTest : public ::testing::Test {
protected:
    HWND host = nullptr;
    HWND list = nullptr;

    void SetUp() override {
        host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 500, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(host);
        list = createSkinListView(host, 100, 8, 11, 296, 421);
        ASSERT_TRUE(list);
    }
    void TearDown() override { DestroyWindow(host); }

    // Cells read with the list view's own messages, not through ListViewSkinList.
    std::string cell(int row, int column) {
        wchar_t buf[512] = {};
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = buf;
        item.cchTextMax = 512;
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return win::narrow(buf);
    }
    LVCOLUMNW column(int i, wchar_t* title) {
        LVCOLUMNW col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        col.pszText = title;
        col.cchTextMax = 64;
        SendMessageW(list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
        return col;
    }
    int rows() { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }
};

TEST_F(ListViewTest, ControlAsTheWindowShowsIt) {
    LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_FALSE(style & LVS_NOCOLUMNHEADER);
    DWORD ex = ListView_GetExtendedListViewStyle(list);
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
    EXPECT_FALSE(ex & LVS_EX_GRIDLINES);

    const struct {
        const char* title;
        int width;
        int format;
    } expected[] = {{"皮肤名称", 180, LVCFMT_LEFT}, {"状态", 90, LVCFMT_CENTER}, {"英雄", 0, LVCFMT_LEFT}, {"时间", 0, LVCFMT_LEFT}};
    for (int i = 0; i < 4; ++i) {
        wchar_t title[64] = {};
        LVCOLUMNW col = column(i, title);
        EXPECT_EQ(win::narrow(title), expected[i].title);
        EXPECT_EQ(col.cx, expected[i].width) << i;
        EXPECT_EQ(col.fmt & LVCFMT_JUSTIFYMASK, expected[i].format) << i;
    }
    LVCOLUMNW fifth = {};
    fifth.mask = LVCF_WIDTH;
    EXPECT_FALSE(SendMessageW(list, LVM_GETCOLUMNW, 4, reinterpret_cast<LPARAM>(&fifth)));

    EXPECT_EQ(ListView_GetTextColor(list), RGB(255, 0, 255));
    EXPECT_EQ(ListView_GetTextBkColor(list), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(ListView_GetBkColor(list), GetSysColor(COLOR_BTNFACE));

    LOGFONTW font = {};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)), sizeof font, &font));
    EXPECT_EQ(win::narrow(font.lfFaceName), "微软雅黑");
    EXPECT_EQ(font.lfHeight, -13);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);

    HIMAGELIST images = ListView_GetImageList(list, LVSIL_SMALL);
    ASSERT_TRUE(images);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 20);
    EXPECT_EQ(cy, 20);
    EXPECT_EQ(ImageList_GetImageCount(images), 125);
    // Pictures are drawn, not left blank: the champions' discs differ from one another, the
    // corners are transparent.
    IMAGEINFO first = {}, second = {};
    ASSERT_TRUE(ImageList_GetImageInfo(images, 0, &first));
    ASSERT_TRUE(ImageList_GetImageInfo(images, 1, &second));
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    auto pixel = [&](int index, int x, int y) {
        HBITMAP bmp = CreateCompatibleBitmap(screen, 20, 20);
        HGDIOBJ old = SelectObject(dc, bmp);
        RECT r = {0, 0, 20, 20};
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ImageList_Draw(images, index, dc, 0, 0, ILD_NORMAL);
        COLORREF c = GetPixel(dc, x, y);
        SelectObject(dc, old);
        DeleteObject(bmp);
        return c;
    };
    EXPECT_EQ(pixel(0, 0, 0), RGB(255, 255, 255));
    EXPECT_NE(pixel(0, 3, 10), RGB(255, 255, 255));
    EXPECT_NE(pixel(0, 3, 10), pixel(1, 3, 10));
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

class ListRebuildTest : public ListViewTest {
protected:
    TempDir dir;
    ScriptedUi ui;
    MemoryConfig config;
    FixedRegistry registry;
    std::unique_ptr<ListViewSkinList> skins;
    std::unique_ptr<MounterContext> ctx;

    void SetUp() override {
        ListViewTest::SetUp();
        skins = std::make_unique<ListViewSkinList>(list);
        ctx = std::make_unique<MounterContext>(MounterContext{dir.path(), *skins, ui, config, registry});
        config.gameDirectory = dir / "英雄联盟";
        registry.values.installPath = config.gameDirectory;
    }
    std::map<std::string, std::vector<std::string>> rowsByName() {
        std::map<std::string, std::vector<std::string>> m;
        for (int r = 0; r < rows(); ++r) m[cell(r, 0)] = {cell(r, 1), cell(r, 2), cell(r, 3)};
        return m;
    }
    std::string stateTitle() {
        wchar_t title[64] = {};
        column(1, title);
        return win::narrow(title);
    }
};

TEST_F(ListRebuildTest, FifteenRowsTwoMounted) {
    for (int i = 1; i <= 13; ++i) dir.write("data/Skin" + std::to_string(i) + "[2015年3月8日[未知[.zip", "PK");
    dir.write("data/阿狸[2015年3月8日14时5分9秒[Ahri[.zip", "PK");
    dir.write("data/a[b[c[.zip", "PK");
    dir.write("data/foo.zip", "PK");  // not a stored package: not listed
    // GBK lines: 阿狸 mounted, a mounted, Skin1 only in other letter case, an empty line.
    dir.write("英雄联盟/Game/ClientZips.txt",
              "DATA\\FINAL\\Champions\\Ahri.wad.client\r\nMYSkins\\MY\xB0\xA2\xC0\xEA.zip\r\n\r\n"
              "myskins\\mySkin1.zip\r\nMYSkins\\MYa.zip");
    refreshSkinList(*ctx);
    refreshStateHeader(*skins);

    EXPECT_EQ(rows(), 15);
    EXPECT_EQ(stateTitle(), "状态[2\\15]");
    auto m = rowsByName();
    EXPECT_EQ(m["阿狸"], (std::vector<std::string>{"已挂载", "Ahri", "2015年3月8日14时5分9秒"}));
    EXPECT_EQ(m["a"], (std::vector<std::string>{"已挂载", "c", "b"}));
    EXPECT_EQ(m["Skin1"], (std::vector<std::string>{"未挂载", "未知", "2015年3月8日"}));
    EXPECT_EQ(m.count("foo.zip"), 0u);
    EXPECT_EQ(ui.shown.size(), 0u);
}

TEST_F(ListRebuildTest, NameWithBracketShowsTheTimeAsLabel) {
    dir.write("data/x[y[2015年3月8日[Ahri[.zip", "PK");
    dir.write("英雄联盟/Game/ClientZips.txt", "\r\n\r\n");
    refreshSkinList(*ctx);
    refreshStateHeader(*skins);
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 0), "x");
    EXPECT_EQ(cell(0, 1), "未挂载");
    EXPECT_EQ(cell(0, 2), "2015年3月8日");
    EXPECT_EQ(cell(0, 3), "y");
    EXPECT_EQ(stateTitle(), "状态[0\\1]");
}

TEST_F(ListRebuildTest, WithoutClientZipsStatesStayEmpty) {
    dir.write("data/Ahri[t[Ahri[.zip", "PK");
    dir.write("data/Annie[t[Annie[.zip", "PK");
    refreshSkinList(*ctx);
    refreshStateHeader(*skins);
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(cell(0, 1), "");
    EXPECT_EQ(cell(1, 1), "");
    EXPECT_EQ(stateTitle(), "状态[0\\2]");
}

TEST_F(ListRebuildTest, LockedClientZipsCountsAsUnreadable) {
    dir.write("data/Ahri[t[Ahri[.zip", "PK");
    dir.write("英雄联盟/Game/ClientZips.txt", "MYSkins\\MYAhri.zip\r\n");
    // Another program holds the file open without sharing it for writing.
    HANDLE h = CreateFileW(win::widen(dir / "英雄联盟\\Game\\ClientZips.txt").c_str(), GENERIC_READ, FILE_SHARE_READ,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    refreshSkinList(*ctx);
    CloseHandle(h);
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(cell(0, 1), "");
}

TEST_F(ListRebuildTest, CellsOfMissingRowsReadEmpty) {
    dir.write("data/Ahri[t[Ahri[.zip", "PK");
    refreshSkinList(*ctx);
    EXPECT_EQ(skins->cell(0, kColumnName), "Ahri");
    EXPECT_EQ(skins->cell(-1, kColumnName), "");
    EXPECT_EQ(skins->cell(1, kColumnName), "");
    EXPECT_EQ(skins->selected(), -1);
    ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(skins->selected(), 0);
}

}  // namespace
