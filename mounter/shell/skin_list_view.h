// The skin list 超级列表框1: a report-mode list view with four columns (皮肤名称, 状态, 英雄,
// 时间; the last two 0 pixels wide), magenta text on button face, single full-row selection,
// and a small-icon image list of 20 by 20 pictures.
#pragma once

#include <windows.h>

#include "skins/skin_list.h"

// Creates the list view as a child of parent with its columns, colours, font and image list.
HWND createSkinListView(HWND parent, int id, int x, int y, int width, int height);

class ListViewSkinList : public SkinList {
public:
    explicit ListViewSkinList(HWND list) : list_(list) {}
    HWND hwnd() const { return list_; }

    int count() override;
    void clear() override;
    int append(const SkinRow& row) override;
    void remove(int row) override;
    std::string cell(int row, int column) override;
    void setCell(int row, int column, const std::string& text) override;
    void setIcon(int row, int icon) override;
    int selected() override;
    void setStateTitle(const std::string& title) override;
    void ensureVisible(int row) override;

private:
    HWND list_;
};
