// Config.ini through the real private-profile calls: the bytes on disk after each write.
#include "game/config_win.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "win_support.h"

namespace {

// GBK bytes of the key names and of 英雄联盟.
const std::string kKeyDirGbk = "\xD3\xCE\xCF\xB7\xC4\xBF\xC2\xBC";                  // 游戏目录
const std::string kKeyLaunchGbk = "\xD3\xCE\xCF\xB7\xC6\xF4\xB6\xAF\xCE\xC4\xBC\xFE";  // 游戏启动文件
const std::string kGameGbk = "\xD3\xA2\xD0\xDB\xC1\xAA\xC3\xCB";                     // 英雄联盟

TEST(ConfigFile, MissingFileReadsEmpty) {
    TempDir dir;
    IniConfig config(dir / "Config.ini");
    EXPECT_EQ(config.readGameDirectory(), "");
    EXPECT_EQ(config.read("游戏启动文件"), "");
    EXPECT_EQ(fileBytes(dir / "Config.ini"), "");
}

TEST(ConfigFile, BytesAfterEachWrite) {
    TempDir dir;
    IniConfig config(dir / "Config.ini");

    config.writeGameDirectory("D:\\Games\\英雄联盟");
    EXPECT_EQ(fileBytes(dir / "Config.ini"), "[Config]\r\n" + kKeyDirGbk + "=D:\\Games\\" + kGameGbk + "\r\n");

    config.writeLaunchFile("D:\\Games\\英雄联盟\\tcls\\client.exe");
    EXPECT_EQ(fileBytes(dir / "Config.ini"), "[Config]\r\n" + kKeyDirGbk + "=D:\\Games\\" + kGameGbk + "\r\n" +
                                                 kKeyLaunchGbk + "=D:\\Games\\" + kGameGbk + "\\tcls\\client.exe\r\n");
    EXPECT_EQ(config.readGameDirectory(), "D:\\Games\\英雄联盟");
    EXPECT_EQ(config.read("游戏启动文件"), "D:\\Games\\英雄联盟\\tcls\\client.exe");

    // An empty value keeps its key, with nothing after the equals sign.
    config.writeGameDirectory("");
    EXPECT_EQ(fileBytes(dir / "Config.ini"), "[Config]\r\n" + kKeyDirGbk + "=\r\n" + kKeyLaunchGbk + "=D:\\Games\\" +
                                                 kGameGbk + "\\tcls\\client.exe\r\n");
    EXPECT_EQ(config.readGameDirectory(), "");
}

TEST(ConfigFile, ReadsAFileWrittenInGbk) {
    TempDir dir;
    dir.write("Config.ini", "[Other]\r\n" + kKeyDirGbk + "=wrong\r\n[Config]\r\n" + kKeyDirGbk + "=E:\\" + kGameGbk +
                                "\r\n");
    IniConfig config(dir / "Config.ini");
    EXPECT_EQ(config.readGameDirectory(), "E:\\英雄联盟");
}

TEST(ConfigFile, LongValuesAreCutAt10239Bytes) {
    struct Case {
        std::string value;
        size_t keptAscii;  // leading ASCII bytes kept
        size_t keptHan;    // then this many 英 (2 bytes each in GBK)
    };
    const std::string han = "英";
    std::string hans;
    for (int i = 0; i < 6000; ++i) hans += han;
    const Case cases[] = {
        {std::string(10239, 'a'), 10239, 0},
        {std::string(12000, 'a'), 10239, 0},
        {"a" + hans, 1, 5119},   // 1 + 5119 * 2 = 10239 bytes
        {"ab" + hans, 2, 5118},  // the cut never splits a character: 10238 bytes
    };
    for (const Case& c : cases) {
        TempDir dir;
        IniConfig config(dir / "Config.ini");
        config.writeGameDirectory(c.value);
        std::string expected = c.value.substr(0, c.keptAscii);
        for (size_t i = 0; i < c.keptHan; ++i) expected += han;
        EXPECT_EQ(config.readGameDirectory(), expected) << c.keptAscii << "+" << c.keptHan;
    }
}

}  // namespace
