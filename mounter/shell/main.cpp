// The program entry of 墨羽挂载器精简版.exe.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "common/os.h"
#include "game/config_win.h"
#include "game/registry_win.h"
#include "shell/main_window.h"
#include "shell/ui_win.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);

    std::string programDirectory = os::programDirectory();
    IniConfig config(configFilePath());
    Win32GameRegistry registry;
    Win32Ui ui;
    MainWindow window({programDirectory, config, registry, ui, [] { ExitProcess(0); }});
    HWND hwnd = window.create();
    if (!hwnd) return 1;
    ui.setMainWindow(hwnd);
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
