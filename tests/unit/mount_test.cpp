#include "mount/mount.h"

#include <gtest/gtest.h>

#include "common/os.h"
#include "mount/client_list.h"
#include "support/fake_program.h"
#include "support/temp_dir.h"

namespace {

TEST(CompactClientZips, Table) {
    const std::pair<const char*, const char*> cases[] = {
        // A.zip, B.zip and the appended entry after a final line break: the empty line goes.
        {"A.zip\r\nB.zip\r\n\r\nMYSkins\\MYX.zip\r\n", "A.zip\r\nB.zip\r\nMYSkins\\MYX.zip\r\n"},
        {"A.zip\r\n\r\nB.zip", "A.zip\r\nB.zip\r\n"},  // a last line without a line break
        {"\r\n\r\n\r\n", ""},                           // only line breaks
        {"", ""},
        {"MYSkins\\MYX.zip\r\nMYSkins\\MYX.zip\r\n", "MYSkins\\MYX.zip\r\nMYSkins\\MYX.zip\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(compactClientZips(c.first), c.second) << c.first;
}

// The new list written on unmount: the kept lines, each ended by a line break, whatever
// pieces it is written in.
TEST(KeptClientZipsPieces, JoinToTheKeptLines) {
    const std::string x = "MYSkins\\MYX.zip";
    for (const char* content : {"A.zip\r\nMYSkins\\MYX.zip\r\nB.zip\r\n", "MYSkins\\MYX.zip\r\nA.zip\r\n\r\nMYSkins\\MYX.zip",
                                "A.zip", "\r\n\r\n", "", "MYSkins\\MYX.zip", "A.zip\r\nB.zip"}) {
        std::string expected;
        for (const std::string& line : keptClientZipsLines(content, x)) expected += line + "\r\n";
        std::string joined;
        for (std::string_view piece : keptClientZipsPieces(content, x)) joined += piece;
        EXPECT_EQ(joined, expected) << content;
    }
}

TEST(KeptClientZipsLines, Table) {
    using Lines = std::vector<std::string>;
    const std::string x = "MYSkins\\MYX.zip";
    EXPECT_EQ(keptClientZipsLines("A.zip\r\nMYSkins\\MYX.zip\r\nMYSkins\\MYY.zip\r\n", x),
              (Lines{"A.zip", "MYSkins\\MYY.zip"}));
    EXPECT_EQ(keptClientZipsLines("MYSkins\\MYX.zip\r\nA.zip\r\nMYSkins\\MYX.zip", x), (Lines{"A.zip"}));  // twice
    EXPECT_EQ(keptClientZipsLines("A.zip\r\n\r\nMYSkins\\myx.zip\r\n", x), (Lines{"A.zip", "", "MYSkins\\myx.zip"}));
    EXPECT_EQ(keptClientZipsLines("\r\n\r\n", x), (Lines{"", ""}));
    EXPECT_EQ(keptClientZipsLines("", x), Lines{});
    // GBK bytes are compared as they stand: 阿狸 = B0 A2 C0 EA.
    EXPECT_EQ(keptClientZipsLines("MYSkins\\MY\xB0\xA2\xC0\xEA.zip\r\nB.zip", "MYSkins\\MY\xB0\xA2\xC0\xEA.zip"),
              (Lines{"B.zip"}));
}

// A program directory with a store of three skins and a game folder.
class MountTest : public ::testing::Test, protected FakeProgram {
protected:
    const std::string original = "DATA\\A.wad\r\n\r\nDATA\\B.wad\r\n";

    void SetUp() override {
        config.gameDirectory = dir / "英雄联盟";
        for (const char* name : {"X", "Y", "阿狸"}) {
            list.append(SkinRow{name, "未挂载", "Ahri", "2015年3月8日", 1});
            dir.write(std::string("data/") + name + "[2015年3月8日[Ahri[.zip", std::string("PK package ") + name);
        }
        dir.write("英雄联盟/Game/ClientZips.txt", original);
        dir.write("英雄联盟/Game/ZipContents.zip", "PK zip contents");
    }
    std::string clientZips() { return os::readFile(dir / "英雄联盟/Game/ClientZips.txt").value_or("<missing>"); }
    std::string file(const std::string& rel) { return os::readFile(dir / rel).value_or("<missing>"); }
    MountOutcome mount(int row) {
        list.selection = row;
        return mountSelectedSkin(ctx);
    }
    MountOutcome unmount(int row) {
        list.selection = row;
        return unmountSelectedSkin(ctx);
    }
    const ScriptedUi::Shown& lastMessage() { return ui.shown.back(); }
};

TEST_F(MountTest, FirstMountMakesBackupsCopyAndLine) {
    EXPECT_EQ(mount(0), MountOutcome::Done);
    EXPECT_EQ(clientZips(), "DATA\\A.wad\r\nDATA\\B.wad\r\nMYSkins\\MYX.zip\r\n");
    EXPECT_EQ(file("英雄联盟/Game/ClientZips.dat"), original);
    EXPECT_EQ(file("英雄联盟/Game/ZipContents.dat"), "PK zip contents");
    EXPECT_EQ(file("英雄联盟/Game/MYSkins/MYX.zip"), "PK package X");
    EXPECT_FALSE(os::isFile(dir / "英雄联盟/Game/123.txt"));
    EXPECT_EQ(lastMessage().text, "X\r\n挂载成功，请进游戏查看");
    EXPECT_EQ(lastMessage().caption, "【墨羽皮肤挂载】友情提示！");
    EXPECT_EQ(list.rows[0].state, "已挂载");
    EXPECT_EQ(list.title, "状态[1\\3]");

    // The second mount leaves the backups as they were.
    EXPECT_EQ(mount(2), MountOutcome::Done);
    EXPECT_EQ(file("英雄联盟/Game/ClientZips.dat"), original);
    EXPECT_EQ(clientZips(), "DATA\\A.wad\r\nDATA\\B.wad\r\nMYSkins\\MYX.zip\r\nMYSkins\\MY\xB0\xA2\xC0\xEA.zip\r\n");
    EXPECT_EQ(list.title, "状态[2\\3]");
}

TEST_F(MountTest, MountTwoThenUnmountOne) {
    ASSERT_EQ(mount(0), MountOutcome::Done);
    ASSERT_EQ(mount(1), MountOutcome::Done);
    EXPECT_EQ(unmount(0), MountOutcome::Done);
    EXPECT_EQ(clientZips(), "DATA\\A.wad\r\nDATA\\B.wad\r\nMYSkins\\MYY.zip\r\n");
    EXPECT_FALSE(os::isFile(dir / "英雄联盟/Game/MYSkins/MYX.zip"));
    EXPECT_TRUE(os::isFile(dir / "英雄联盟/Game/MYSkins/MYY.zip"));
    EXPECT_FALSE(os::isFile(dir / "英雄联盟/temp.txt"));
    EXPECT_EQ(lastMessage().text, "X\r\n取消挂载成功");
    EXPECT_EQ(list.rows[0].state, "未挂载");
    EXPECT_EQ(list.rows[1].state, "已挂载");
    EXPECT_EQ(list.title, "状态[1\\3]");
}

TEST_F(MountTest, UnmountKeepsEmptyLinesAndOtherCase) {
    dir.write("英雄联盟/Game/ClientZips.txt", "A.zip\r\n\r\nMYSkins\\myx.zip\r\nMYSkins\\MYX.zip\r\nMYSkins\\MYX.zip");
    list.rows[0].state = "已挂载";
    EXPECT_EQ(unmount(0), MountOutcome::Done);
    EXPECT_EQ(clientZips(), "A.zip\r\n\r\nMYSkins\\myx.zip\r\n");
}

TEST_F(MountTest, SelectionAndStateMessages) {
    const struct {
        int row;
        const char* state;
        bool mountIt;
        const char* text;
    } cases[] = {
        {-1, "", true, "墨羽提示\r\n请先选中皮肤，在进行挂载"},
        {7, "", true, "墨羽提示\r\n请先选中皮肤，在进行挂载"},
        {0, "已挂载", true, "X\r\n此皮肤已挂载，请进游戏查看"},
        {-1, "", false, "请选中皮肤。在取消挂载     "},
        {0, "未挂载", false, "X\r\n此皮肤还未挂载，请挂载"},
    };
    for (const auto& c : cases) {
        if (c.row == 0) list.rows[0].state = c.state;
        MountOutcome outcome = c.mountIt ? mount(c.row) : unmount(c.row);
        EXPECT_NE(outcome, MountOutcome::Done) << c.text;
        EXPECT_EQ(lastMessage().text, c.text);
        EXPECT_EQ(lastMessage().caption, "【墨羽皮肤挂载】友情提示！");
        EXPECT_EQ(clientZips(), original);
    }
    EXPECT_FALSE(os::isFile(dir / "英雄联盟/Game/ClientZips.dat"));
}

TEST_F(MountTest, EmptyStateCountsAsNotMountedForBoth) {
    list.rows[0].state = "";
    dir.write("英雄联盟/Game/ClientZips.txt", "MYSkins\\MYX.zip\r\n");
    EXPECT_EQ(mount(0), MountOutcome::Done);  // a second identical line
    EXPECT_EQ(clientZips(), "MYSkins\\MYX.zip\r\nMYSkins\\MYX.zip\r\n");
    list.rows[0].state = "";
    EXPECT_EQ(unmount(0), MountOutcome::Done);
    EXPECT_EQ(clientZips(), "");
}

TEST_F(MountTest, MissingPackageOrListFailsWithoutALine) {
    os::deleteFile(dir / "data/X[2015年3月8日[Ahri[.zip");
    EXPECT_EQ(mount(0), MountOutcome::Failed);
    EXPECT_EQ(lastMessage().text, "X\r\n挂载失败，请删除皮肤尝试重新挂载或请仔细查看说明");
    EXPECT_EQ(clientZips(), original);
    EXPECT_EQ(list.rows[0].state, "未挂载");

    os::deleteFile(dir / "英雄联盟/Game/ClientZips.txt");
    EXPECT_EQ(mount(1), MountOutcome::Failed);
    EXPECT_EQ(lastMessage().text, "Y\r\n挂载失败，请删除皮肤尝试重新挂载或请仔细查看说明");
    EXPECT_FALSE(os::isFile(dir / "英雄联盟/Game/ClientZips.txt"));
}

TEST_F(MountTest, UnmountWithoutListLeavesAnEmptyOne) {
    os::deleteFile(dir / "英雄联盟/Game/ClientZips.txt");
    list.rows[0].state = "已挂载";
    EXPECT_EQ(unmount(0), MountOutcome::Done);
    EXPECT_EQ(clientZips(), "");
}

TEST_F(MountTest, NameWithoutGbkFormIsRefused) {
    list.rows[0].name = "X\xF0\x9F\x98\x80";
    EXPECT_EQ(mount(0), MountOutcome::Refused);
    EXPECT_EQ(clientZips(), original);
    EXPECT_EQ(list.rows[0].state, "未挂载");
}

// Every file operation of a mount and of an unmount made to fail in turn: ClientZips.txt then
// holds exactly the old or exactly the new lines, and the row's state says which.
TEST_F(MountTest, EveryFailedOperationLeavesOldOrNewList) {
    const std::string mounted = "DATA\\A.wad\r\nDATA\\B.wad\r\nMYSkins\\MYX.zip\r\n";
    const std::string unmounted = "DATA\\A.wad\r\nDATA\\B.wad\r\n";

    os::faults::failOperation(0);
    ASSERT_EQ(mount(0), MountOutcome::Done);
    const int mountOps = os::faults::operations();
    os::faults::failOperation(0);
    ASSERT_EQ(unmount(0), MountOutcome::Done);
    const int unmountOps = os::faults::operations();
    ASSERT_GE(mountOps, 4);
    ASSERT_GE(unmountOps, 3);

    for (int n = 1; n <= mountOps; ++n) {
        SCOPED_TRACE("mount, failing operation " + std::to_string(n));
        dir.write("英雄联盟/Game/ClientZips.txt", original);
        list.rows[0].state = "未挂载";
        os::faults::failOperation(n);
        MountOutcome outcome = mount(0);
        os::faults::failOperation(0);
        std::string now = clientZips();
        EXPECT_TRUE(now == original || now == mounted) << now;
        EXPECT_EQ(list.rows[0].state, now == mounted ? "已挂载" : "未挂载");
        EXPECT_EQ(outcome == MountOutcome::Done, now == mounted);
    }
    for (int n = 1; n <= unmountOps; ++n) {
        SCOPED_TRACE("unmount, failing operation " + std::to_string(n));
        dir.write("英雄联盟/Game/ClientZips.txt", mounted);
        list.rows[0].state = "已挂载";
        os::faults::failOperation(n);
        MountOutcome outcome = unmount(0);
        os::faults::failOperation(0);
        std::string now = clientZips();
        EXPECT_TRUE(now == mounted || now == unmounted) << now;
        EXPECT_EQ(list.rows[0].state, now == unmounted ? "未挂载" : "已挂载");
        EXPECT_EQ(outcome == MountOutcome::Done, now == unmounted);
    }
}

}  // namespace
