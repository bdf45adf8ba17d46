// The game client's registry entries as the program reads them: values seeded with Wine's own
// reg.exe in the 32-bit view, which is where a 32-bit program on 64-bit Windows finds them.
#include "game/registry_win.h"

#include <gtest/gtest.h>

#include "win_support.h"

namespace {

const char kKey[] = "HKLM\\Software\\Tencent\\LOL";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { runReg(std::string("delete ") + kKey + " /f /reg:32"); }
    void TearDown() override { runReg(std::string("delete ") + kKey + " /f /reg:32"); }
    void set(const std::string& name, const std::string& type, const std::string& data, const char* view = "/reg:32") {
        ASSERT_EQ(runReg(std::string("add ") + kKey + " /v " + name + " /t " + type + " /d \"" + data + "\" /f " + view),
                  0);
    }
};

TEST_F(RegistryTest, MissingKeyReadsEmpty) {
    RegistryValues v = Win32GameRegistry().read();
    EXPECT_EQ(v.installPath, "");
    EXPECT_EQ(v.setup, "");
}

TEST_F(RegistryTest, StringValuesAsTheyAre) {
    set("InstallPath", "REG_SZ", "D:\\腾讯游戏\\英雄联盟");
    set("setup", "REG_SZ", "D:\\腾讯游戏\\英雄联盟\\TCLS\\Client.exe");
    RegistryValues v = Win32GameRegistry().read();
    EXPECT_EQ(v.installPath, "D:\\腾讯游戏\\英雄联盟");
    EXPECT_EQ(v.setup, "D:\\腾讯游戏\\英雄联盟\\TCLS\\Client.exe");
}

TEST_F(RegistryTest, ExpandableValuesAreExpanded) {
    set("InstallPath", "REG_EXPAND_SZ", "%SystemDrive%\\英雄联盟");
    RegistryValues v = Win32GameRegistry().read();
    EXPECT_EQ(v.installPath, "C:\\英雄联盟");
    EXPECT_EQ(v.setup, "");
}

TEST_F(RegistryTest, OtherTypesReadEmpty) {
    set("InstallPath", "REG_DWORD", "7");
    set("setup", "REG_MULTI_SZ", "a\\0b");
    RegistryValues v = Win32GameRegistry().read();
    EXPECT_EQ(v.installPath, "");
    EXPECT_EQ(v.setup, "");
}

TEST_F(RegistryTest, ValuesOutsideThe32BitViewAreNotSeen) {
    set("InstallPath", "REG_SZ", "D:\\64\\英雄联盟", "/reg:64");
    RegistryValues v = Win32GameRegistry().read();
    EXPECT_EQ(v.installPath, "");
    runReg(std::string("delete ") + kKey + " /f /reg:64");
}

}  // namespace
