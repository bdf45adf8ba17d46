// Config.ini through the system's private-profile calls: section Config, keys 游戏目录 and
// 游戏启动文件, kept in the system's ANSI code page.
#pragma once

#include <string>

#include "game/game_directory.h"

// program directory + "\Config.ini".
std::string configFilePath();

class IniConfig : public Config {
public:
    explicit IniConfig(std::string path) : path_(std::move(path)) {}
    std::string readGameDirectory() override;
    void writeGameDirectory(const std::string& directory) override;
    void writeLaunchFile(const std::string& path) override;

    // The value of a key of section Config, "" when missing. Values are read into a buffer of
    // 10240 bytes in the ANSI code page: a longer value comes back cut to 10239 bytes, and the
    // cut never falls inside a double-byte character.
    std::string read(const char* key);
    void write(const char* key, const std::string& value);

private:
    std::string path_;
};

// Cuts utf8 so that its ANSI form holds at most maxBytes bytes, at a character boundary.
std::string cutToAnsiBytes(const std::string& utf8, size_t maxBytes);
