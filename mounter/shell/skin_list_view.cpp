#include "shell/skin_list_view.h"

#include <commctrl.h>

#include <string>

#include "common/win/wide.h"
#include "shell/skin_icons.h"
#include "texts.h"

namespace {

struct ColumnSpec {
    const char* title;
    int width;
    int format;
};

const ColumnSpec kColumns[] = {
    {texts::kColumnName, 180, LVCFMT_LEFT},
    {texts::kColumnState, 90, LVCFMT_CENTER},
    {texts::kColumnLabel, 0, LVCFMT_LEFT},
    {texts::kColumnTime, 0, LVCFMT_LEFT},
};

constexpr int kIconSize = 20;
constexpr int kIconCount = 125;

}  // namespace

HWND createSkinListView(HWND parent, int id, int x, int y, int width, int height) {
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                                x, y, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
    if (!list) return nullptr;
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);

    COLORREF face = GetSysColor(COLOR_BTNFACE);
    ListView_SetTextColor(list, RGB(255, 0, 255));
    ListView_SetTextBkColor(list, face);
    ListView_SetBkColor(list, face);

    // The font lives as long as the process; the list is created once.
    HFONT font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                             win::widen(texts::kListFont).c_str());
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);

    HIMAGELIST images = ImageList_Create(kIconSize, kIconSize, ILC_COLOR32 | ILC_MASK, kIconCount, 0);
    addSkinIcons(images);
    ListView_SetImageList(list, images, LVSIL_SMALL);

    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        std::wstring title = win::widen(kColumns[i].title);
        LVCOLUMNW col = {};
        col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
        col.fmt = kColumns[i].format;
        col.cx = kColumns[i].width;
        col.pszText = title.data();
        col.iSubItem = i;
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&col));
    }
    return list;
}

int ListViewSkinList::count() {
    return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
}

void ListViewSkinList::clear() {
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
}

int ListViewSkinList::append(const SkinRow& row) {
    std::wstring name = win::widen(row.name);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = count();
    item.pszText = name.data();
    item.iImage = row.icon >= 0 ? row.icon : I_IMAGENONE;
    int index = static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (index < 0) return index;
    setCell(index, kColumnState, row.state);
    setCell(index, kColumnLabel, row.label);
    setCell(index, kColumnTime, row.time);
    return index;
}

void ListViewSkinList::remove(int row) {
    SendMessageW(list_, LVM_DELETEITEM, row, 0);
}

std::string ListViewSkinList::cell(int row, int column) {
    if (row < 0 || row >= count()) return std::string();
    std::wstring buf(256, L'\0');
    for (;;) {
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = buf.data();
        item.cchTextMax = static_cast<int>(buf.size());
        int n = static_cast<int>(SendMessageW(list_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
        if (n + 1 < static_cast<int>(buf.size())) {
            buf.resize(n);
            return win::narrow(buf);
        }
        buf.assign(buf.size() * 2, L'\0');
    }
}

void ListViewSkinList::setCell(int row, int column, const std::string& text) {
    std::wstring w = win::widen(text);
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = w.data();
    SendMessageW(list_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void ListViewSkinList::setIcon(int row, int icon) {
    LVITEMW item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = icon;
    SendMessageW(list_, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int ListViewSkinList::selected() {
    return static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListViewSkinList::setStateTitle(const std::string& title) {
    std::wstring w = win::widen(title);
    LVCOLUMNW col = {};
    col.mask = LVCF_TEXT;
    col.pszText = w.data();
    SendMessageW(list_, LVM_SETCOLUMNW, kColumnState, reinterpret_cast<LPARAM>(&col));
}

void ListViewSkinList::ensureVisible(int row) {
    SendMessageW(list_, LVM_ENSUREVISIBLE, row, FALSE);
}
