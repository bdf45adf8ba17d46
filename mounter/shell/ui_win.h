// The Win32 side of Ui: system message boxes and the shell's folder browser.
#pragma once

#include <windows.h>

#include "ui.h"

class Win32Ui : public Ui {
public:
    Answer message(const std::string& text, const std::string& caption, bool withCancel) override;
    std::string browseForGameFolder() override;
    // From any thread: the caption is set through a message to the window's own thread.
    void setMainCaption(const std::string& text) override;

    void setMainWindow(HWND hwnd) { main_ = hwnd; }

private:
    HWND main_ = nullptr;
};
