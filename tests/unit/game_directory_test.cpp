#include "game/game_directory.h"

#include <gtest/gtest.h>

#include "support/fakes.h"

namespace {

const char kAskFirst[] = "请先设置游戏路径，否则某些功能将会失效,设置好后，重新启动挂在器！";
const char kFailed[] = "游戏路径设置失败";
const char kCaption[] = "【墨羽友情提示】";

TEST(GameFolderName, LastComponentMustBeTheGameName) {
    struct Case {
        const char* path;
        bool ok;
    } cases[] = {
        {"D:\\Games\\英雄联盟", true},
        {"英雄联盟", true},
        {"D:\\Games\\英雄联盟2", false},
        {"D:\\", false},
        {"D:\\Games\\英雄联盟\\", false},
        {"D:\\英雄联盟\\Game", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isGameFolderName(c.path), c.ok) << c.path;
    }
}

TEST(DetectGameDirectory, BothRegistryValuesOverwriteConfig) {
    FixedRegistry reg;
    reg.values = {"C:\\Program Files\\腾讯游戏\\英雄联盟", "C:\\Program Files\\腾讯游戏\\英雄联盟\\TCLS\\Client.exe"};
    MemoryConfig config;
    config.gameDirectory = "D:\\set by hand";
    ScriptedUi ui;
    detectGameDirectory(reg, config, ui);
    EXPECT_EQ(config.gameDirectory, reg.values.installPath);
    EXPECT_EQ(config.launchFile, reg.values.setup);
    EXPECT_EQ(config.writes, (std::vector<std::string>{"游戏目录", "游戏启动文件"}));
    EXPECT_TRUE(ui.shown.empty());
    EXPECT_EQ(ui.browses, 0);
}

TEST(DetectGameDirectory, InstallPathWithoutSetupWritesNothing) {
    FixedRegistry reg;
    reg.values.installPath = "C:\\英雄联盟";
    MemoryConfig config;
    config.gameDirectory = "D:\\set by hand";
    ScriptedUi ui;
    detectGameDirectory(reg, config, ui);
    EXPECT_EQ(config.gameDirectory, "D:\\set by hand");
    EXPECT_TRUE(config.writes.empty());
    EXPECT_TRUE(ui.shown.empty());
}

struct PromptCase {
    const char* chosen;  // "" = cancelled
    bool stored;
};

TEST(DetectGameDirectory, PromptWhenRegistryHasNoInstallPath) {
    const PromptCase cases[] = {
        {"D:\\Games\\英雄联盟", true},
        {"D:\\Games\\英雄联盟2", false},
        {"D:\\", false},
        {"", false},
    };
    for (const PromptCase& c : cases) {
        SCOPED_TRACE(c.chosen);
        FixedRegistry reg;
        reg.values.setup = "ignored without InstallPath";
        MemoryConfig config;
        config.gameDirectory = "E:\\before";
        ScriptedUi ui;
        ui.folders.push_back(c.chosen);
        detectGameDirectory(reg, config, ui);

        EXPECT_EQ(ui.browses, 1);
        ASSERT_GE(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].text, kAskFirst);
        EXPECT_EQ(ui.shown[0].caption, kCaption);
        EXPECT_FALSE(ui.shown[0].withCancel);
        if (c.stored) {
            EXPECT_EQ(ui.shown.size(), 1u);
            EXPECT_EQ(config.gameDirectory, c.chosen);
            EXPECT_EQ(config.launchFile, std::string(c.chosen) + "\\tcls\\client.exe");
            EXPECT_EQ(config.writes, (std::vector<std::string>{"游戏目录", "游戏启动文件"}));
        } else {
            ASSERT_EQ(ui.shown.size(), 2u);
            EXPECT_EQ(ui.shown[1].text, kFailed);
            EXPECT_EQ(ui.shown[1].caption, kCaption);
            EXPECT_EQ(config.gameDirectory, "E:\\before");
            EXPECT_TRUE(config.writes.empty());
        }
    }
}

}  // namespace
