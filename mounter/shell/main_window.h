// MainWindow: the skin list, the two visible buttons, the menu bar and the hidden right-click
// menu 功能菜单. Its creation runs the start-up sequence; closing it asks whether to close or to
// hide; its destruction ends the process.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "skins/skin_store.h"

class Config;
class GameRegistry;
class Ui;
class ImportQueue;
class ListViewSkinList;

// What the main window works with; the program passes the real ones, tests their own.
struct MainWindowServices {
    std::string programDirectory;
    Config& config;
    GameRegistry& registry;
    Ui& ui;
    // Ends the process at once; ExitProcess(0) in the program.
    std::function<void()> endProcess;
};

// Asks for hwnd's destruction without performing it: it happens when the message loop next
// dispatches, after the handler that asked has returned.
void requestClose(HWND hwnd);

class MainWindow {
public:
    // Control and command ids. The names are the controls' own.
    enum Id : int {
        kId超级列表框1 = 100,
        kId按钮_启动游戏,
        kId按钮_添加皮肤,
        kId按钮_手动加载,
        kCmdSettings = 200,
        kCmdCheckUpdate,
        kCmdAbout,
        kCmdSkinCentre,
        kCmdOfficialSite,
        kCmdMountSkin,
        kCmdUnmountSkin,
        kCmdDeleteSkin,
    };
    static constexpr int kOuterWidth = 315;
    static constexpr int kOuterHeight = 529;
    static constexpr wchar_t kClassName[] = L"MoyuMounterMainWindow";

    explicit MainWindow(MainWindowServices services);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window, which runs the start-up sequence before it returns. The window is not
    // shown yet. Returns nullptr when the window cannot be created.
    HWND create();
    HWND hwnd() const { return hwnd_; }
    HWND control(Id id) const;
    HMENU skinMenu() const { return 功能菜单; }
    SkinList& skins();

    void runStartupSequence();
    // The close query: true lets the window close (its destruction is requested), false keeps
    // it, hidden.
    bool queryMainClose();
    void endProgram();
    // Pops 功能菜单 at the mouse position moved 3 pixels right and down.
    void showSkinMenu();
    // The import buttons: the open-file dialog on a thread of its own; the chosen packages join
    // the import queue.
    void importFromDialog();
    // Files dropped on the list: text is one path, or several each followed by "\r\n". Every
    // .zip file (in any letter case) joins the import queue; any other file is refused with the
    // drop message before anything is touched.
    void importDroppedFile(const std::string& text);
    // 挂载皮肤 and 取消挂载 of 功能菜单, on the selected row.
    void mountSelected();
    void unmountSelected();
    ImportQueue& imports() { return *imports_; }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp);
    bool onCreate();
    void onCommand(int id);
    static LRESULT CALLBACK listProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self);
    void registerDropTarget();
    void revokeDropTarget();
    LRESULT onNotify(const NMHDR* header);
    HMENU createMenuBar();

    MainWindowServices services_;
    HWND hwnd_ = nullptr;
    HWND 超级列表框1 = nullptr;
    HWND 按钮_启动游戏 = nullptr;
    HWND 按钮_添加皮肤 = nullptr;
    HWND 按钮_手动加载 = nullptr;
    HMENU 功能菜单 = nullptr;
    HFONT buttonFont_ = nullptr;
    std::unique_ptr<ListViewSkinList> list_;
    std::unique_ptr<MounterContext> context_;
    std::unique_ptr<ImportQueue> imports_;
};
