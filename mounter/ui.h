// What the user sees, behind an interface so that the logic can be tested: the Win32 side wraps
// MessageBoxW and the shell's folder browser, the tests record calls and play scripted answers.
#pragma once

#include <string>

enum class Answer { Ok, Cancel };

class Ui {
public:
    virtual ~Ui() = default;
    // A task-modal message box without owner, with the information icon; OK alone, or OK and
    // Cancel. Returns Ok only when OK was chosen: Cancel and closing the box count alike.
    virtual Answer message(const std::string& text, const std::string& caption, bool withCancel = false) = 0;
    // The folder browser for the game directory. Returns the chosen path, or "" when the user
    // cancelled or the choice is no file-system folder.
    virtual std::string browseForGameFolder() = 0;
    // Sets the main window's caption.
    virtual void setMainCaption(const std::string& text) = 0;
};
