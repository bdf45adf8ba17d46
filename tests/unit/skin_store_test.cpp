#include "skins/skin_store.h"

#include <gtest/gtest.h>

#include "mount/client_list.h"
#include "support/fake_program.h"
#include "support/temp_dir.h"

namespace {

struct TimeCase {
    os::LocalTime t;
    const char* text;
};

const TimeCase kTimeCases[] = {
    {{2015, 3, 8, 14, 5, 9}, "2015年3月8日14时5分9秒"},
    {{2015, 3, 8, 0, 0, 0}, "2015年3月8日"},              // midnight exactly
    {{2024, 12, 31, 7, 0, 0}, "2024年12月31日7时"},        // hour only
    {{2024, 1, 1, 23, 59, 0}, "2024年1月1日23时59分"},     // minutes
    {{2024, 1, 1, 0, 30, 0}, "2024年1月1日0时30分"},       // midnight hour, minutes
    {{2024, 1, 1, 0, 0, 5}, "2024年1月1日0时0分5秒"},      // seconds keep zero hour and minute
};

TEST(TimeText, Table) {
    for (const TimeCase& c : kTimeCases) {
        EXPECT_EQ(timeText(c.t), c.text);
    }
}

TEST(StoredName, SplitsIntoNameTimeLabel) {
    std::optional<SkinRow> row = parseStoredName("a[b[c[.zip");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->name, "a");
    EXPECT_EQ(row->time, "b");
    EXPECT_EQ(row->label, "c");

    row = parseStoredName(storedFileName("Ahri_Fox", "2015年3月8日14时5分9秒", "Ahri"));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->name, "Ahri_Fox");
    EXPECT_EQ(row->time, "2015年3月8日14时5分9秒");
    EXPECT_EQ(row->label, "Ahri");
    EXPECT_EQ(storedFileName("Ahri_Fox", "2015年3月8日14时5分9秒", "Ahri"), "Ahri_Fox[2015年3月8日14时5分9秒[Ahri[.zip");
}

TEST(StoredName, NameWithBracketShiftsTheFields) {
    // A package x[y.zip stored as x[y[time[label[.zip reads back as name x, time y and the
    // time text as label.
    std::optional<SkinRow> row = parseStoredName("x[y[2015年3月8日[Ahri[.zip");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->name, "x");
    EXPECT_EQ(row->time, "y");
    EXPECT_EQ(row->label, "2015年3月8日");
}

TEST(StoredName, FewerThanThreePartsIsNoSkin) {
    EXPECT_FALSE(parseStoredName("foo.zip"));
    EXPECT_FALSE(parseStoredName("a[b.zip"));
    EXPECT_FALSE(parseStoredName(""));
    EXPECT_TRUE(parseStoredName("a[b[c.zip"));
    std::optional<SkinRow> empty = parseStoredName("[[[.zip");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->name, "");
}

TEST(StateTitle, CountsWithBackslash) {
    EXPECT_EQ(stateTitle(2, 15), "状态[2\\15]");
    EXPECT_EQ(stateTitle(0, 0), "状态[0\\0]");
    EXPECT_EQ(stateTitle(10, 100), "状态[10\\100]");
}

TEST(StateHeader, CountsEverythingButNotMountedAndEmpty) {
    TableSkinList list;
    for (const char* state : {"已挂载", "未挂载", "", "已挂载", "something else"}) {
        SkinRow r;
        r.name = "n";
        r.state = state;
        list.append(r);
    }
    refreshStateHeader(list);
    EXPECT_EQ(list.title, "状态[3\\5]");
}

// A program directory with a store and a game folder, for the rebuild.
class RefreshTest : public ::testing::Test, protected FakeProgram {
protected:

    void SetUp() override {
        config.gameDirectory = dir / "英雄联盟";
        registry.values.installPath = dir / "英雄联盟";  // no prompt
    }
    void store(const std::string& fileName) { dir.write("data/" + fileName, "PK"); }
    void clientZips(const std::string& gbkBytes) { dir.write("英雄联盟/Game/ClientZips.txt", gbkBytes); }
    const SkinRow* row(const std::string& name) {
        for (const SkinRow& r : list.rows) {
            if (r.name == name) return &r;
        }
        return nullptr;
    }
};

TEST_F(RefreshTest, StatesFromClientZips) {
    store("Ahri[2015年3月8日14时5分9秒[Ahri[.zip");
    store("Annie[2015年3月8日[Annie[.zip");
    store("Ezreal[2015年3月9日1时[Ezreal[.zip");
    store("嘯[2015年3月9日1时[未知[.zip");
    // Both mounted skins count whatever the order of the lines; a line that differs only in
    // letter case does not; GBK names are compared after conversion.
    clientZips("DATA\\FINAL\\a.zip\r\nMYSkins\\MY\x87\x5B.zip\r\nmyskins\\myEzreal.zip\r\n\r\nMYSkins\\MYAhri.zip");
    refreshSkinList(ctx);
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(row("Ahri")->state, "已挂载");
    EXPECT_EQ(row("Ahri")->time, "2015年3月8日14时5分9秒");
    EXPECT_EQ(row("Ahri")->label, "Ahri");
    EXPECT_EQ(row("Annie")->state, "未挂载");
    EXPECT_EQ(row("Ezreal")->state, "未挂载");
    EXPECT_EQ(row("嘯")->state, "已挂载");
    refreshStateHeader(list);
    EXPECT_EQ(list.title, "状态[2\\4]");
    EXPECT_TRUE(ui.shown.empty());
}

TEST_F(RefreshTest, OnlyLineBreaksMeansNotMounted) {
    store("Ahri[t[Ahri[.zip");
    clientZips("\r\n\r\n");
    refreshSkinList(ctx);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.rows[0].state, "未挂载");
}

TEST_F(RefreshTest, NoClientZipsLeavesStatesEmpty) {
    store("Ahri[t[Ahri[.zip");
    refreshSkinList(ctx);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.rows[0].state, "");
    clientZips("");  // an empty file gives no lines either
    refreshSkinList(ctx);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.rows[0].state, "");
    refreshStateHeader(list);
    EXPECT_EQ(list.title, "状态[0\\1]");
}

TEST_F(RefreshTest, SkipsWhatIsNoSkinPackage) {
    store("a[b[c[.zip");
    store("foo.zip");
    store("half[only.zip");
    dir.write("data/notes.txt", "x");
    dir.makeDir("data/folder[x[y[.zip");
    clientZips("MYSkins\\MYa.zip\r\n");
    refreshSkinList(ctx);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.rows[0].name, "a");
    EXPECT_EQ(list.rows[0].time, "b");
    EXPECT_EQ(list.rows[0].label, "c");
    EXPECT_EQ(list.rows[0].state, "已挂载");
}

TEST_F(RefreshTest, NoStoreGivesEmptyListAndZeroTitle) {
    list.append(SkinRow{"old", "", "", "", -1});
    refreshSkinList(ctx);
    EXPECT_EQ(list.count(), 0);
    refreshStateHeader(list);
    EXPECT_EQ(list.title, "状态[0\\0]");
}

TEST_F(RefreshTest, DetectionRunsBeforeTheStoreIsRead) {
    // No registry entry: the user is asked, picks the game folder, and the rows' states come
    // from the ClientZips.txt of that folder.
    registry.values = {};
    config.gameDirectory.clear();
    store("Ahri[t[Ahri[.zip");
    clientZips("MYSkins\\MYAhri.zip\r\n");
    ui.folders.push_back(dir / "英雄联盟");
    refreshSkinList(ctx);
    EXPECT_EQ(ui.browses, 1);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.rows[0].state, "已挂载");
}

TEST_F(RefreshTest, StoredPackagePathIsRebuiltFromTheCells) {
    list.append(SkinRow{"Ahri", "未挂载", "Ahri", "2015年3月8日", -1});
    EXPECT_EQ(storedPackagePath(ctx, 0), dir.path() + "\\data\\Ahri[2015年3月8日[Ahri[.zip");
    EXPECT_EQ(storedPackagePath(ctx, 5), dir.path() + "\\data\\[[[.zip");
}

TEST(ClientList, MountedEntry) {
    EXPECT_EQ(mountedEntry("Ahri"), "MYSkins\\MYAhri.zip");
    EXPECT_TRUE(readClientZipsLines("").empty());
}

}  // namespace
