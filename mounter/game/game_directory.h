// The game directory: where it is kept (Config.ini, behind the Config interface), where it comes
// from (the game client's registry entries, or a folder the user picks) and how it is checked.
#pragma once

#include <string>
#include <string_view>

class Ui;

// Config.ini beside the executable: section Config, keys 游戏目录 and 游戏启动文件. Values are
// UTF-8 here; the Win32 implementation keeps the file in the system code page.
class Config {
public:
    virtual ~Config() = default;
    // The stored game directory, or "" when the file, section or key is missing.
    virtual std::string readGameDirectory() = 0;
    virtual void writeGameDirectory(const std::string& directory) = 0;
    virtual void writeLaunchFile(const std::string& path) = 0;
};

// The two values the game client's installer leaves in HKLM\Software\Tencent\LOL (32-bit view).
// A missing key or value, or one of another type than REG_SZ / REG_EXPAND_SZ, reads as "".
struct RegistryValues {
    std::string installPath;
    std::string setup;
};

class GameRegistry {
public:
    virtual ~GameRegistry() = default;
    virtual RegistryValues read() = 0;
};

// The game client's executable below a game directory.
std::string launchFileOf(const std::string& gameDirectory);

// True when the last component of path (the text after its last backslash) is exactly
// "英雄联盟". A drive root such as "D:\" has an empty last component and fails.
bool isGameFolderName(std::string_view path);

// Run once per start, before the store is listed: takes the game directory from the registry,
// or asks the user for the folder when the registry has none. Shows its own messages; a
// cancelled or wrongly named choice leaves Config.ini as it was.
void detectGameDirectory(GameRegistry& registry, Config& config, Ui& ui);
