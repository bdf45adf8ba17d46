// The skin list: one row per stored package, four text cells and an icon. After start-up the
// list is the only model of the skins the program holds; the Win32 side is the list view
// 超级列表框1, the tests use a plain table.
#pragma once

#include <string>

enum SkinColumn { kColumnName = 0, kColumnState = 1, kColumnLabel = 2, kColumnTime = 3 };

struct SkinRow {
    std::string name;
    std::string state;  // "已挂载", "未挂载" or "" (no information)
    std::string label;
    std::string time;
    int icon = -1;      // index into the list's image list; -1 for none
};

class SkinList {
public:
    virtual ~SkinList() = default;
    virtual int count() = 0;
    virtual void clear() = 0;
    // Appends a row at the end and returns its index.
    virtual int append(const SkinRow& row) = 0;
    virtual void remove(int row) = 0;
    // The text of a cell; "" for a row or column that does not exist.
    virtual std::string cell(int row, int column) = 0;
    virtual void setCell(int row, int column, const std::string& text) = 0;
    virtual void setIcon(int row, int icon) = 0;
    // The selected row, or -1.
    virtual int selected() = 0;
    virtual void setStateTitle(const std::string& title) = 0;
    virtual void ensureVisible(int row) = 0;
};
