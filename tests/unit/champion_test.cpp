#include "skins/champion.h"

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "support/temp_dir.h"

namespace {

struct LabelCase {
    const char* fileName;
    const char* label;  // nullptr: no label
    int icon;           // iconForLabel(label), or of "" when no label
};

const LabelCase kLabelCases[] = {
    {"Ahri_Skin05_TX_CM.dds", "Ahri", 1},
    {"AHRI_SKIN05_TX_CM.dds", "Ahri", 1},  // spelled as the table spells it
    {"hudatlas.dds", "游戏界面", 123},
    {"SightWard_Skin02_TX_CM.dds", "眼位", 124},
    {"VisionWard.skl", "眼位", 124},
    {"Annie_SightWard_TX_CM.dds", "眼位", 124},  // wards come before champions
    {"Amumu.skl", "Amumu", 4},
    {"Aatrox_loadscreen.dds", "Aatrox", 0},
    {"Zyra_Skin01_TX_CM.dds", "Zyra", 122},
    {"Vi_Base_TX_CM.dds", "Vi", 109},
    {"Viktor_Skin01_TX_CM.dds", "Viktor", 110},  // not Vi, though Vi stands first
    {"MonkeyKing.skl", "MonkeyKing", 61},
    {"effects_tx_cm.dds", nullptr, 123},
    {"visionward_tx_cm.dds", "Sion", 87},  // "VisionWard." needs its dot; "Sion" is in the name
    {"jarvaniv.skl", "JarvanIV", 36},
};

TEST(ChampionLabel, Table) {
    for (const LabelCase& c : kLabelCases) {
        SCOPED_TRACE(c.fileName);
        std::optional<std::string> label = labelForFileName(c.fileName);
        if (c.label) {
            ASSERT_TRUE(label);
            EXPECT_EQ(*label, c.label);
        } else {
            EXPECT_FALSE(label);
        }
        EXPECT_EQ(iconForLabel(label.value_or("")), c.icon);
    }
}

TEST(ChampionIcon, Table) {
    const std::pair<const char*, int> cases[] = {
        {"Aatrox", 0}, {"aatrox", 0}, {"ZYRA", 122}, {"未知", 123}, {"", 123},
        {"游戏界面", 123}, {"眼位", 124}, {"Ahri_Fox", -1}, {"2015年3月8日", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(iconForLabel(c.first), c.second) << c.first;
    for (int i = 0; i < 123; ++i) EXPECT_EQ(iconForLabel(kChampionNames[i]), i);
}

TEST(ChampionTrigger, Fragments) {
    for (const char* yes : {"x_loadscreen.dds.dds", "Ahri_LoadScreen.DDS", "a_bass_tx_cm.dds", "Ahri.SKL", "HUDAtlas.dds",
                            "Ahri_TX_CM.dds"}) {
        EXPECT_TRUE(isTriggerFileName(yes)) << yes;
    }
    for (const char* no : {"Ahri.dds", "readme.txt", "Ahri_tx_cm.tga", "skl", "Ahri.sknx"}) {
        EXPECT_FALSE(isTriggerFileName(no)) << no;
    }
}

class WalkTest : public ::testing::Test {
protected:
    TempDir dir;
    void file(const std::string& relative) { dir.write(relative, ""); }
};

TEST_F(WalkTest, NothingTriggers) {
    EXPECT_FALSE(detectLabel(dir.path()));
    file("readme.txt");
    file("a/b/c.dds");
    EXPECT_FALSE(detectLabel(dir.path()));
}

TEST_F(WalkTest, FindsAFileInASubfolder) {
    file("readme.txt");
    file("data/Jinx_Skin01_TX_CM.dds");
    EXPECT_EQ(detectLabel(dir.path()), "Jinx");
    EXPECT_EQ(detectLabel(dir.path() + "\\"), "Jinx");
}

TEST_F(WalkTest, ATriggerFileEndsItsFolder) {
    // The folder with a trigger file is the last one looked at on its branch.
    file("Annie_TX_CM.dds");
    file("deeper/Zed_TX_CM.dds");
    EXPECT_EQ(detectLabel(dir.path()), "Annie");
}

TEST_F(WalkTest, ATriggerWithoutLabelStillEndsTheFolder) {
    file("effects_tx_cm.dds");
    file("deeper/Zed_TX_CM.dds");
    EXPECT_EQ(detectLabel(dir.path()), "");
}

TEST_F(WalkTest, LaterSiblingOverwritesAndUnlabelledKeepsEarlier) {
    file("DATA/Characters/A/Ahri.skl");
    file("DATA/Characters/B/effects_tx_cm.dds");
    std::optional<std::string> label = detectLabel(dir.path());
    ASSERT_TRUE(label);
    // Which sibling comes last depends on the file system's order: find it the same way.
    std::vector<os::DirEntry> order = os::listEntries(dir / "DATA/Characters");
    std::string last;
    for (const auto& e : order) {
        if (e.isDirectory && e.name != "." && e.name != "..") last = e.name;
    }
    // A then B: B's unlabelled trigger leaves Ahri. B then A: A's label overwrites "".
    EXPECT_EQ(*label, "Ahri") << "last sibling " << last;

    file("DATA/Characters/C/Zed_TX_CM.dds");
    file("DATA/Characters/D/Annie_TX_CM.dds");
    std::vector<std::string> labelled;
    for (const auto& e : os::listEntries(dir / "DATA/Characters")) {
        if (e.name == "A") labelled.push_back("Ahri");
        if (e.name == "C") labelled.push_back("Zed");
        if (e.name == "D") labelled.push_back("Annie");
    }
    EXPECT_EQ(detectLabel(dir.path()), labelled.back());
}

TEST_F(WalkTest, DetectChampionSetsCellAndIcon) {
    TableSkinList list;
    list.append(SkinRow{"x", "", "", "", -1});
    file("pkg/Amumu_Skin01_TX_CM.dds");
    detectChampion(list, dir / "pkg", 0);
    EXPECT_EQ(list.rows[0].label, "Amumu");
    EXPECT_EQ(list.rows[0].icon, 4);

    list.append(SkinRow{"y", "", "", "", -1});
    file("none/readme.txt");
    detectChampion(list, dir / "none", 1);
    EXPECT_EQ(list.rows[1].label, "");
    EXPECT_EQ(list.rows[1].icon, -1);

    list.append(SkinRow{"z", "", "", "", -1});
    file("fx/effects_tx_cm.dds");
    detectChampion(list, dir / "fx", 2);
    EXPECT_EQ(list.rows[2].label, "");
    EXPECT_EQ(list.rows[2].icon, 123);
}

}  // namespace
