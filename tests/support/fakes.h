// Test doubles for the interfaces through which the logic reaches the user and Windows.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "game/game_directory.h"
#include "skins/skin_list.h"
#include "ui.h"

// Records every message and plays scripted folder choices and answers.
class ScriptedUi : public Ui {
public:
    struct Shown {
        std::string text, caption;
        bool withCancel;
    };
    std::vector<Shown> shown;
    std::deque<Answer> answers;        // Ok when empty
    std::deque<std::string> folders;   // "" (cancel) when empty
    int browses = 0;
    std::vector<std::string> captions;

    Answer message(const std::string& text, const std::string& caption, bool withCancel) override {
        shown.push_back({text, caption, withCancel});
        if (answers.empty()) return Answer::Ok;
        Answer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::string browseForGameFolder() override {
        ++browses;
        if (folders.empty()) return std::string();
        std::string f = folders.front();
        folders.pop_front();
        return f;
    }
    void setMainCaption(const std::string& text) override { captions.push_back(text); }
};

class TableSkinList : public SkinList {
public:
    std::vector<SkinRow> rows;
    std::string title;
    int selection = -1;

    int count() override { return static_cast<int>(rows.size()); }
    void clear() override { rows.clear(); }
    int append(const SkinRow& row) override {
        rows.push_back(row);
        return count() - 1;
    }
    void remove(int row) override {
        if (row >= 0 && row < count()) rows.erase(rows.begin() + row);
    }
    std::string cell(int row, int column) override {
        if (row < 0 || row >= count()) return std::string();
        const SkinRow& r = rows[row];
        switch (column) {
            case kColumnName: return r.name;
            case kColumnState: return r.state;
            case kColumnLabel: return r.label;
            case kColumnTime: return r.time;
        }
        return std::string();
    }
    void setCell(int row, int column, const std::string& text) override {
        if (row < 0 || row >= count()) return;
        SkinRow& r = rows[row];
        switch (column) {
            case kColumnName: r.name = text; break;
            case kColumnState: r.state = text; break;
            case kColumnLabel: r.label = text; break;
            case kColumnTime: r.time = text; break;
        }
    }
    void setIcon(int row, int icon) override {
        if (row >= 0 && row < count()) rows[row].icon = icon;
    }
    int selected() override { return selection; }
    void setStateTitle(const std::string& t) override { title = t; }
    void ensureVisible(int) override {}
};

class MemoryConfig : public Config {
public:
    std::string gameDirectory, launchFile;
    std::vector<std::string> writes;  // key names in the order written

    std::string readGameDirectory() override { return gameDirectory; }
    void writeGameDirectory(const std::string& d) override {
        gameDirectory = d;
        writes.push_back("游戏目录");
    }
    void writeLaunchFile(const std::string& p) override {
        launchFile = p;
        writes.push_back("游戏启动文件");
    }
};

class FixedRegistry : public GameRegistry {
public:
    RegistryValues values;
    RegistryValues read() override { return values; }
};
