// The Win32 side of Ui: system message boxes and the shell's folder browser.
#pragma once

#include "ui.h"

class Win32Ui : public Ui {
public:
    Answer message(const std::string& text, const std::string& caption, bool withCancel) override;
    std::string browseForGameFolder() override;
};
