// A fresh folder for one test, removed with everything in it afterwards. Paths are UTF-8 with
// "\" separators, as the program uses them (the posix port reads "\" as "/").
#pragma once

#include <filesystem>
#include <string>

#include "common/os.h"

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // path() + "\" + relative; relative may use "\" or "/".
    std::string operator/(const std::string& relative) const;
    // Writes a file, creating its folders.
    void write(const std::string& relative, const std::string& bytes) const;
    void makeDir(const std::string& relative) const;

private:
    std::string path_;
};

std::filesystem::path fsPath(const std::string& utf8Path);
