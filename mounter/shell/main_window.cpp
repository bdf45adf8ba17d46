#include "shell/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <thread>

#include "common/os.h"
#include "common/win/wide.h"
#include "shell/import_queue.h"
#include "shell/skin_list_view.h"
#include "mount/mount.h"
#include "skins/import.h"
#include "texts.h"
#include "ui.h"

namespace {

constexpr UINT kMsgRequestClose = WM_APP + 1;

struct ButtonSpec {
    HWND MainWindow::*member;
    MainWindow::Id id;
    const char* caption;
    int x, y, width, height;
};

struct MenuItemSpec {
    const char* text;
    int id;
};

void appendItems(HMENU menu, std::initializer_list<MenuItemSpec> items) {
    for (const MenuItemSpec& item : items) {
        AppendMenuW(menu, MF_STRING, item.id, win::widen(item.text).c_str());
    }
}

void appendPopup(HMENU bar, const char* text, std::initializer_list<MenuItemSpec> items) {
    HMENU popup = CreatePopupMenu();
    appendItems(popup, items);
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), win::widen(text).c_str());
}

}  // namespace

void requestClose(HWND hwnd) {
    PostMessageW(hwnd, kMsgRequestClose, 0, 0);
}

MainWindow::MainWindow(MainWindowServices services) : services_(std::move(services)) {}

MainWindow::~MainWindow() {
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
    if (功能菜单) DestroyMenu(功能菜单);
    if (buttonFont_) DeleteObject(buttonFont_);
}

HWND MainWindow::create() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);  // a second window of the class (tests) finds it registered

    HMENU bar = createMenuBar();
    HWND hwnd = CreateWindowExW(0, kClassName, win::widen(texts::kMainTitle).c_str(),
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                CW_USEDEFAULT, kOuterWidth, kOuterHeight, nullptr, bar, instance, this);
    if (!hwnd) DestroyMenu(bar);
    return hwnd;
}

HMENU MainWindow::createMenuBar() {
    HMENU bar = CreateMenu();
    appendPopup(bar, texts::kMenuMain,
                {{texts::kMenuSettings, kCmdSettings},
                 {texts::kMenuCheckUpdate, kCmdCheckUpdate},
                 {texts::kMenuAbout, kCmdAbout}});
    appendPopup(bar, texts::kMenuSkinSite, {{texts::kMenuSkinCentre, kCmdSkinCentre}});
    appendPopup(bar, texts::kMenuOfficialSite, {{texts::kMenuOfficial, kCmdOfficialSite}});

    功能菜单 = CreatePopupMenu();
    appendItems(功能菜单, {{texts::kMenuMount, kCmdMountSkin},
                        {texts::kMenuUnmount, kCmdUnmountSkin},
                        {texts::kMenuDelete, kCmdDeleteSkin}});
    return bar;
}

HWND MainWindow::control(Id id) const {
    switch (id) {
        case kId超级列表框1: return 超级列表框1;
        case kId按钮_启动游戏: return 按钮_启动游戏;
        case kId按钮_添加皮肤: return 按钮_添加皮肤;
        case kId按钮_手动加载: return 按钮_手动加载;
        default: return nullptr;
    }
}

SkinList& MainWindow::skins() {
    return *list_;
}

LRESULT CALLBACK MainWindow::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->handleMessage(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT MainWindow::handleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            if (!onCreate()) return -1;
            runStartupSequence();
            return 0;
        case WM_COMMAND:
            onCommand(LOWORD(wp));
            return 0;
        case WM_NOTIFY:
            return onNotify(reinterpret_cast<const NMHDR*>(lp));
        case WM_CLOSE:
            // On OK the destruction is already requested; on Cancel the window stays.
            queryMainClose();
            return 0;
        case WM_QUERYENDSESSION:
            return queryMainClose() ? TRUE : FALSE;
        case kMsgRequestClose:
            DestroyWindow(hwnd_);
            return 0;
        case WM_DESTROY:
            endProgram();
            return 0;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

bool MainWindow::onCreate() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    超级列表框1 = createSkinListView(hwnd_, kId超级列表框1, 8, 11, 296, 421);
    if (!超级列表框1) return false;
    list_ = std::make_unique<ListViewSkinList>(超级列表框1);
    context_ = std::make_unique<MounterContext>(
        MounterContext{services_.programDirectory, *list_, services_.ui, services_.config, services_.registry});
    imports_ = std::make_unique<ImportQueue>(*context_);

    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    buttonFont_ = CreateFontIndirectW(&metrics.lfMessageFont);

    static const ButtonSpec kButtons[] = {
        {&MainWindow::按钮_启动游戏, kId按钮_启动游戏, texts::kButtonLaunch, 33, 436, 96, 40},
        {&MainWindow::按钮_添加皮肤, kId按钮_添加皮肤, texts::kButtonAdd, 162, 437, 96, 40},
        // Lies below the visible client area, as it always has.
        {&MainWindow::按钮_手动加载, kId按钮_手动加载, texts::kButtonManual, 113, 544, 96, 40},
    };
    for (const ButtonSpec& b : kButtons) {
        HWND button = CreateWindowExW(0, WC_BUTTONW, win::widen(b.caption).c_str(),
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, b.x, b.y, b.width, b.height,
                                      hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), instance, nullptr);
        if (!button) return false;
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_), FALSE);
        this->*b.member = button;
    }
    return true;
}

void MainWindow::onCommand(int id) {
    using Handler = void (MainWindow::*)();
    static const struct {
        int id;
        Handler handler;
    } kCommands[] = {
        {kId按钮_添加皮肤, &MainWindow::importFromDialog},
        {kId按钮_手动加载, &MainWindow::importFromDialog},
        {kCmdMountSkin, &MainWindow::mountSelected},
        {kCmdUnmountSkin, &MainWindow::unmountSelected},
    };
    for (const auto& c : kCommands) {
        if (c.id == id) {
            (this->*c.handler)();
            return;
        }
    }
}

LRESULT MainWindow::onNotify(const NMHDR* header) {
    if (header->hwndFrom == 超级列表框1 && header->code == NM_RCLICK) {
        showSkinMenu();
        return 0;
    }
    return DefWindowProcW(hwnd_, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
}

void MainWindow::runStartupSequence() {
    // The window skin, the sweep of update leftovers, the tray icon, the update check and the
    // popup window have their own steps in this sequence once they exist.
    os::deleteFile(services_.programDirectory + "\\" + texts::kInstallerFile);
    refreshSkinList(*context_);
    refreshStateHeader(*list_);
    registerDropTarget();
}

// The list accepts files dropped from Explorer (WM_DROPFILES, which the shell also makes of an
// OLE drag of files); the list view is subclassed to receive them.
void MainWindow::registerDropTarget() {
    SetWindowSubclass(超级列表框1, listProc, 1, reinterpret_cast<DWORD_PTR>(this));
    DragAcceptFiles(超级列表框1, TRUE);
}

void MainWindow::revokeDropTarget() {
    if (超级列表框1 && IsWindow(超级列表框1)) DragAcceptFiles(超级列表框1, FALSE);
}

LRESULT CALLBACK MainWindow::listProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    if (msg != WM_DROPFILES) return DefSubclassProc(hwnd, msg, wp, lp);
    HDROP drop = reinterpret_cast<HDROP>(wp);
    std::string text;
    UINT files = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < files; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        text += win::narrow(path);
        if (files > 1) text += "\r\n";
    }
    DragFinish(drop);
    reinterpret_cast<MainWindow*>(self)->importDroppedFile(text);
    return 0;
}

void MainWindow::mountSelected() {
    mountSelectedSkin(*context_);
}

void MainWindow::unmountSelected() {
    unmountSelectedSkin(*context_);
}

void MainWindow::importFromDialog() {
    HWND owner = hwnd_;
    ImportQueue* queue = imports_.get();
    // The dialog has a thread of its own so the window stays usable while it is open; a second
    // click opens a second dialog, and its packages queue behind the first ones.
    std::thread([owner, queue] { queue->enqueue(chooseSkinPackages(owner)); }).detach();
}

void MainWindow::importDroppedFile(const std::string& text) {
    std::vector<std::string> zips;
    for (const std::string& path : droppedPaths(text)) {
        if (isZipFileName(path)) {
            zips.push_back(path);
        } else {
            services_.ui.message(texts::kDropNotZip, texts::kCaptionNotice);
        }
    }
    if (!zips.empty()) imports_->enqueue(std::move(zips));
}

bool MainWindow::queryMainClose() {
    Answer answer = services_.ui.message(texts::kCloseQuery, texts::kCaptionFriendly, true);
    if (answer == Answer::Ok) {
        revokeDropTarget();
        requestClose(hwnd_);
        return true;
    }
    // Until the program has its tray icon, staying means staying hidden.
    ShowWindow(hwnd_, SW_HIDE);
    return false;
}

void MainWindow::endProgram() {
    revokeDropTarget();
    if (services_.endProcess) services_.endProcess();
}

void MainWindow::showSkinMenu() {
    POINT pt;
    GetCursorPos(&pt);
    TrackPopupMenu(功能菜单, TPM_RIGHTBUTTON, pt.x + 3, pt.y + 3, 0, hwnd_, nullptr);
}
