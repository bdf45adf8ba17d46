// End-to-end tests of mounting and unmounting: 挂载皮肤 and 取消挂载 chosen on a selected row of
// the real program, and what they leave in the game folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "common/win/wide.h"
#include "driver.h"
#include "mounter_fixture.h"

namespace {

using namespace e2etest;

constexpr char kMountCaption[] = "【墨羽皮肤挂载】友情提示！";
constexpr char kMounted[] = "\r\n挂载成功，请进游戏查看";
constexpr char kUnmounted[] = "\r\n取消挂载成功";
constexpr char kMountFailed[] = "\r\n挂载失败，请删除皮肤尝试重新挂载或请仔细查看说明";
constexpr char kUnmountUnreadable[] =
    "\r\n取消挂载失败：无法读取游戏的皮肤列表Game\\ClientZips.txt（可能正被其他程序占用），请关闭游戏后重试";
constexpr char kUnmountFailed[] =
    "\r\n取消挂载失败：无法更新游戏的皮肤列表Game\\ClientZips.txt（可能正被其他程序占用），请关闭游戏后重试";
constexpr char kStateMounted[] = "已挂载";
constexpr char kStateNotMounted[] = "未挂载";

// The three skins of the store: two to mount and one that stays as it is.
struct StoredSkin {
    const char* name;
    const char* fileName;
    std::string bytes;
};

StoredSkin skin(const char* name, const char* fileName, const std::string& champion) {
    return {name, fileName,
            zipOf({{"DATA/Characters/" + champion + "/Skins/Skin01/" + champion + "_Skin01_TX_CM.dds",
                    std::string("texture of ") + name}})};
}

const StoredSkin kAhri = skin("Ahri", "Ahri[2024年6月18日20时15分33秒[Ahri[.zip", "Ahri");
// Chinese in the name: its line in ClientZips.txt is GBK.
const StoredSkin kFox = skin("阿狸-九尾妖狐", "阿狸-九尾妖狐[2024年5月1日[Ahri[.zip", "Ahri");
const StoredSkin kAnnie = skin("Annie", "Annie[2016年1月2日3时[Annie[.zip", "Annie");

// A mounted skin's line in ClientZips.txt, which is also its copy's path relative to Game.
std::string entryOf(const StoredSkin& s) { return std::string("MYSkins\\MY") + s.name + ".zip"; }

class MountE2eTest : public MounterE2eTest {
protected:
    // The store holds the three skins; ClientZips.txt holds clientZips (UTF-8, written as GBK).
    void prepare(const std::string& clientZips) {
        for (const StoredSkin* s : {&kAhri, &kFox, &kAnnie}) writeStoredPackage(s->fileName, s->bytes);
        writeGameFile("ClientZips.txt", gbk(clientZips));
    }

    // The row of a skin, or -1.
    int rowOf(const StoredSkin& s) {
        std::vector<Row> rows = readRowsInOrder(list_);
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].name == s.name) return static_cast<int>(i);
        }
        return -1;
    }

    std::string stateOf(const StoredSkin& s) {
        int row = rowOf(s);
        if (row < 0) return "(no row)";
        return e2e::listViewCell(list_, row, 1).value_or("(unreadable)");
    }

    // Selects the skin's row and chooses 挂载皮肤 or 取消挂载 of the right-click menu.
    void choose(int command, const StoredSkin& s) {
        int row = rowOf(s);
        ASSERT_GE(row, 0) << s.name << " is not listed";
        ASSERT_TRUE(e2e::listViewSelect(list_, row)) << "row " << row << " could not be selected";
        ASSERT_TRUE(e2e::postCommand(main_, command));
    }

    // Chooses the command and answers the message it shows, which must be text exactly.
    void chooseAndExpect(int command, const StoredSkin& s, const std::string& text) {
        ASSERT_NO_FATAL_FAILURE(choose(command, s));
        ASSERT_NO_FATAL_FAILURE(expectMessageBoxAndOk("message of the command", text, kMountCaption));
    }

    void mount(const StoredSkin& s, const std::string& stateTitle) {
        ASSERT_NO_FATAL_FAILURE(chooseAndExpect(kCmdMountSkin, s, s.name + std::string(kMounted)));
        ASSERT_NO_FATAL_FAILURE(waitForStateTitle(stateTitle));
    }

    std::optional<std::string> clientZips() const { return fileBytes(gameFile("ClientZips.txt")); }
};

TEST_F(MountE2eTest, FirstMountBacksUpTheClientFilesAndLaterMountsKeepTheBackups) {
    const std::string original = "DATA\\FINAL\\Champions\\Ahri.wad.client\r\nDATA\\FINAL\\UI.wad.client\r\n";
    const std::string contents = zipOf({{"ZipContents.txt", "the client's own list"}});
    prepare(original);
    writeGameFile("ZipContents.zip", contents);
    ASSERT_NO_FATAL_FAILURE(startWithGameRegistry());
    ASSERT_NO_FATAL_FAILURE(waitForStateTitle("状态[0\\3]"));

    ASSERT_NO_FATAL_FAILURE(mount(kAhri, "状态[1\\3]"));
    EXPECT_EQ(fileBytes(gameFile("ClientZips.dat")), gbk(original));
    EXPECT_EQ(fileBytes(gameFile("ZipContents.dat")), contents);

    // The client updates its archive between mounts; the backups keep the first state.
    writeGameFile("ZipContents.zip", zipOf({{"ZipContents.txt", "after a client update"}}));
    ASSERT_NO_FATAL_FAILURE(mount(kFox, "状态[2\\3]"));
    EXPECT_EQ(fileBytes(gameFile("ClientZips.dat")), gbk(original));
    EXPECT_EQ(fileBytes(gameFile("ZipContents.dat")), contents);
    expectNoDialog();
}

TEST_F(MountE2eTest, TwoMountedSkinsSurviveARestartAndUnmountingOneKeepsTheOther) {
    // An empty line in the middle and no line break at the end: a mount leaves neither.
    prepare("DATA\\a.wad.client\r\n\r\nDATA\\b.wad.client");
    ASSERT_NO_FATAL_FAILURE(startWithGameRegistry());
    ASSERT_NO_FATAL_FAILURE(waitForStateTitle("状态[0\\3]"));

    ASSERT_NO_FATAL_FAILURE(mount(kAhri, "状态[1\\3]"));
    ASSERT_NO_FATAL_FAILURE(mount(kFox, "状态[2\\3]"));
    expectNoDialog();
    EXPECT_EQ(stateOf(kAhri), kStateMounted);
    EXPECT_EQ(stateOf(kFox), kStateMounted);
    EXPECT_EQ(stateOf(kAnnie), kStateNotMounted);
    EXPECT_EQ(clientZips(), gbk(joinLines({"DATA\\a.wad.client", "DATA\\b.wad.client", entryOf(kAhri), entryOf(kFox)},
                                          true)));
    EXPECT_EQ(fileBytes(gameFile(entryOf(kAhri))), kAhri.bytes);
    EXPECT_EQ(fileBytes(gameFile(entryOf(kFox))), kFox.bytes);
    EXPECT_FALSE(pathExists(gameFile("123.txt"))) << "the scratch list was left behind";

    // ClientZips.txt is the only record of what is mounted.
    ASSERT_NO_FATAL_FAILURE(stopMounter());
    ASSERT_NO_FATAL_FAILURE(startAndFindList());
    ASSERT_NO_FATAL_FAILURE(waitForStateTitle("状态[2\\3]"));
    EXPECT_EQ(stateOf(kAhri), kStateMounted);
    EXPECT_EQ(stateOf(kFox), kStateMounted);
    EXPECT_EQ(stateOf(kAnnie), kStateNotMounted);

    ASSERT_NO_FATAL_FAILURE(chooseAndExpect(kCmdUnmountSkin, kAhri, kAhri.name + std::string(kUnmounted)));
    ASSERT_NO_FATAL_FAILURE(waitForStateTitle("状态[1\\3]"));
    expectNoDialog();
    EXPECT_EQ(stateOf(kAhri), kStateNotMounted);
    EXPECT_EQ(stateOf(kFox), kStateMounted);
    EXPECT_EQ(clientZips(), gbk(joinLines({"DATA\\a.wad.client", "DATA\\b.wad.client", entryOf(kFox)}, true)));
    EXPECT_FALSE(pathExists(gameFile(entryOf(kAhri)))) << "the unmounted copy is still there";
    EXPECT_EQ(fileBytes(gameFile(entryOf(kFox))), kFox.bytes);
    EXPECT_FALSE(pathExists(gameDir_ + "\\temp.txt")) << "the scratch list was left behind";
}

// --- ClientZips.txt held by another program ---------------------------------------------------

struct LockedCase {
    const char* name;
    DWORD shareMode;          // how the test holds ClientZips.txt open
    int command;
    std::string clientZips;   // UTF-8
    bool copyPresent;         // Ahri's copy in Game\MYSkins, as a mount left it
    const char* textAfterName;
    const char* state;        // Ahri's row before and after
    const char* stateTitle;   // before and after
};

void PrintTo(const LockedCase& c, std::ostream* os) { *os << c.name; }

constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;
const std::string kNotMountedList = "DATA\\a.wad.client\r\n";
const std::string kMountedList = "DATA\\a.wad.client\r\nMYSkins\\MYAhri.zip\r\n";

class LockedClientZipsTest : public MountE2eTest, public ::testing::WithParamInterface<LockedCase> {};

// The game client may hold its list open; then nothing may change, and the message says so.
TEST_P(LockedClientZipsTest, FailsWithItsMessageAndChangesNothing) {
    const LockedCase& c = GetParam();
    prepare(c.clientZips);
    if (c.copyPresent) writeGameFile(entryOf(kAhri), kAhri.bytes);
    ASSERT_NO_FATAL_FAILURE(startWithGameRegistry());
    ASSERT_NO_FATAL_FAILURE(waitForStateTitle(c.stateTitle));
    ASSERT_EQ(stateOf(kAhri), c.state);
    const std::vector<Row> rowsBefore = readRowsInOrder(list_);

    {
        e2e::UniqueHandle held(CreateFileW(win::widen(gameFile("ClientZips.txt")).c_str(),
                                           GENERIC_READ | GENERIC_WRITE, c.shareMode, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held) << "ClientZips.txt could not be opened, error " << GetLastError();
        ASSERT_NO_FATAL_FAILURE(chooseAndExpect(c.command, kAhri, kAhri.name + std::string(c.textAfterName)));
        expectNoDialog();
        EXPECT_EQ(readRowsInOrder(list_), rowsBefore);
        EXPECT_EQ(e2e::listViewColumnTitle(list_, 1), c.stateTitle);
    }
    // A scratch list left behind is harmless: the next command writes it afresh.
    EXPECT_EQ(clientZips(), gbk(c.clientZips));
    if (c.copyPresent) {
        EXPECT_EQ(fileBytes(gameFile(entryOf(kAhri))), kAhri.bytes) << "the copy of a skin still listed was removed";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, LockedClientZipsTest,
    ::testing::Values(
        // Held without sharing, as a program that has it open for itself holds it: it cannot be read.
        LockedCase{"MountUnshared", 0, kCmdMountSkin, kNotMountedList, false, kMountFailed, kStateNotMounted,
                   "状态[0\\3]"},
        LockedCase{"UnmountUnshared", 0, kCmdUnmountSkin, kMountedList, true, kUnmountUnreadable, kStateMounted,
                   "状态[1\\3]"},
        // Shared with readers and writers but not with deletion: it can be read but not replaced.
        LockedCase{"MountNotDeletable", kShareReadWrite, kCmdMountSkin, kNotMountedList, false, kMountFailed,
                   kStateNotMounted, "状态[0\\3]"},
        LockedCase{"UnmountNotDeletable", kShareReadWrite, kCmdUnmountSkin, kMountedList, true, kUnmountFailed,
                   kStateMounted, "状态[1\\3]"}));

}  // namespace
