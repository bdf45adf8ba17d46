// End-to-end tests of importing skin packages: packages chosen in the open-file dialog of
// 添加皮肤 or dropped on the skin list of the real program, driven from this process.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "driver.h"
#include "mounter_fixture.h"

namespace {

using namespace e2etest;

constexpr char kOpenDialogTitle[] = "请输入欲打开的文件：";
constexpr char kOpenDialogFilter[] = "ZIP格式压缩文件";
constexpr char kReadyCaption[] = "墨羽挂载器v2.0正式版";
constexpr char kSkinExists[] = "\r\n皮肤已存在，请勿重复添加";
constexpr char kNotZip[] = "抱歉，压缩包格式不是zip,请解压重新压缩成zip格式的";
constexpr char kDropNotZip[] = "抱歉，软件目前暂时只支持zip、rar格式压缩包";
constexpr char kNotMounted[] = "未挂载";
constexpr int kFilterCombo = 0x470;  // cmb1 of the open-file dialog

// A store entry listed before each import, so that an imported row is seen to be appended.
constexpr char kListedFile[] = "Zed[2024年1月1日[Zed[.zip";
const Row kListedRow = {"Zed", "", "Zed", "2024年1月1日"};

// Package contents. A texture, a skeleton and a loading-screen picture each mark a package as
// a champion's; the rest of a package does not.
std::vector<ZipFile> championPackage(const std::string& champion, const std::string& asset) {
    return {{"DATA/Characters/" + champion + "/Skins/Skin01/" + asset, "texture of " + champion},
            {"DATA/Characters/" + champion + "/Info.ini", "[Info]\r\n"},
            {"readme.txt", "made for a test\r\n"}};
}
const std::vector<ZipFile> kNoTriggerPackage = {{"readme.txt", "nothing to detect\r\n"},
                                                {"DATA/Sounds/voice.bnk", "voice"}};

enum class Route { Dialog, Drop };

const char* routeName(Route r) { return r == Route::Dialog ? "the open-file dialog" : "a drop on the list"; }
void PrintTo(Route r, std::ostream* os) { *os << (r == Route::Dialog ? "Chosen" : "Dropped"); }

// A local time down to the second: year, month, day, hour, minute, second.
using Moment = std::array<int, 6>;

Moment now() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

// Reads a decimal number without leading zeros followed by unit at pos.
std::optional<int> readPart(const std::string& text, size_t& pos, const std::string& unit) {
    size_t end = pos;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    size_t digits = end - pos;
    if (digits == 0 || digits > 4 || (digits > 1 && text[pos] == '0')) return std::nullopt;
    if (text.compare(end, unit.size(), unit) != 0) return std::nullopt;
    int value = std::stoi(text.substr(pos, digits));
    pos = end + unit.size();
    return value;
}

// The moment a row's time text names: "2026年12月11日" then "14时5分9秒", "14时5分" or "14时", the
// shortest form that loses no part that is not 0. nullopt for any other text.
std::optional<Moment> parseTimeText(const std::string& text) {
    Moment m = {};
    size_t pos = 0;
    const char* units[] = {"年", "月", "日", "时", "分", "秒"};
    int parts = 0;
    for (; parts < 6 && pos < text.size(); ++parts) {
        std::optional<int> v = readPart(text, pos, units[parts]);
        if (!v) return std::nullopt;
        m[parts] = *v;
    }
    if (pos != text.size() || parts < 3) return std::nullopt;
    // A trailing part that is 0 is left out: "14时0分" and "0时" never appear.
    if (parts > 3 && parts < 6 && m[parts - 1] == 0) return std::nullopt;
    return m;
}

struct Package {
    std::string path;
    std::string bytes;
};

class ImportE2eTest : public MounterE2eTest {
protected:
    // A package in a folder of its own next to the program directory.
    Package writePackage(const std::string& fileName, const std::string& bytes) {
        temp_.write("皮肤包\\" + fileName, bytes);
        return {temp_ / ("皮肤包\\" + fileName), bytes};
    }
    Package writeZip(const std::string& fileName, const std::vector<ZipFile>& files) {
        return writePackage(fileName, zipOf(files));
    }

    // Starts the program with kListedFile in the store.
    void startWithOneListedSkin() {
        writeStoredPackage(kListedFile, zipOf(championPackage("Zed", "Zed_TX_CM.dds")));
        ASSERT_NO_FATAL_FAILURE(startWithGameRegistry());
        ASSERT_NO_FATAL_FAILURE(waitForStateTitle("状态[0\\1]"));
        ASSERT_EQ(readRowsInOrder(list_), std::vector<Row>{kListedRow});
    }

    // Chooses the packages in the dialog of 添加皮肤 (in the order given) or drops them on the
    // list all at once.
    void importBy(Route route, const std::vector<std::string>& paths) {
        if (route == Route::Drop) {
            ASSERT_TRUE(e2e::dropFiles(list_, paths)) << "the files could not be dropped";
            return;
        }
        ASSERT_TRUE(e2e::postCommand(main_, kIdAddSkinButton));
        HWND dlg = e2e::waitForDialog(mounter_.pid, kOpenDialogTitle, kDialogTimeout);
        ASSERT_TRUE(dlg) << "no open-file dialog; the program's windows:\n" << e2e::describeWindows(mounter_.pid);
        EXPECT_EQ(e2e::controlText(GetDlgItem(dlg, kFilterCombo)), kOpenDialogFilter);
        std::string error = e2e::chooseInOpenDialog(dlg, paths, kDialogTimeout);
        ASSERT_EQ(error, "") << "the open-file dialog could not be answered; the program's windows:\n"
                             << e2e::describeWindows(mounter_.pid);
        ASSERT_TRUE(e2e::waitUntilGone(dlg, kDialogTimeout)) << "the open-file dialog stayed open";
    }

    std::string storeFile(const std::string& fileName) const { return programFile("data\\" + fileName); }
};

// --- One package -------------------------------------------------------------------------------

struct ImportCase {
    const char* name;
    Route route;
    const char* fileName;
    std::vector<ZipFile> files;
    const char* skinName;   // the file name up to its first "."
    const char* label;
    int icon;
};

void PrintTo(const ImportCase& c, std::ostream* os) { *os << c.name; }

class ImportOneTest : public ImportE2eTest, public ::testing::WithParamInterface<ImportCase> {};

TEST_P(ImportOneTest, AppendsARowAndStoresAByteCopyNamedAfterItsCells) {
    const ImportCase& c = GetParam();
    Package package = writeZip(c.fileName, c.files);
    ASSERT_NO_FATAL_FAILURE(startWithOneListedSkin());

    Moment before = now();
    ASSERT_NO_FATAL_FAILURE(importBy(c.route, {package.path}));
    ASSERT_NO_FATAL_FAILURE(waitForStateTitle("状态[0\\2]"));
    Moment after = now();
    expectNoDialog();

    std::vector<Row> rows = readRowsInOrder(list_);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], kListedRow);
    const Row& row = rows[1];
    EXPECT_EQ(row.name, c.skinName);
    EXPECT_EQ(row.state, kNotMounted);
    EXPECT_EQ(row.label, c.label);
    std::optional<Moment> at = parseTimeText(row.time);
    ASSERT_TRUE(at) << "not a time text: " << row.time;
    EXPECT_LE(before, *at) << row.time;
    EXPECT_LE(*at, after) << row.time;
    EXPECT_EQ(e2e::listViewIcon(list_, 1), c.icon);
    EXPECT_EQ(e2e::windowText(main_), kReadyCaption);

    const std::string stored = row.name + "[" + row.time + "[" + row.label + "[.zip";
    std::vector<std::string> storeFiles = {stored, kListedFile};
    std::sort(storeFiles.begin(), storeFiles.end());
    EXPECT_EQ(filesIn(programFile("data")), storeFiles);
    EXPECT_EQ(fileBytes(storeFile(stored)), package.bytes) << "the stored package differs from the chosen one";
    EXPECT_FALSE(pathExists(programFile("Varno"))) << "the scratch folder is still there";
    EXPECT_EQ(fileBytes(package.path), package.bytes) << "the chosen package was changed";
}

INSTANTIATE_TEST_SUITE_P(
    Packages, ImportOneTest,
    ::testing::Values(
        ImportCase{"ChosenChampionPackage", Route::Dialog, "九尾妖狐.星之守护者.zip",
                   championPackage("Ahri", "Ahri_Skin01_TX_CM.dds"), "九尾妖狐", "Ahri", 1},
        ImportCase{"ChosenPackageWithoutTriggerFile", Route::Dialog, "无名皮肤.zip", kNoTriggerPackage, "无名皮肤",
                   "未知", 123},
        ImportCase{"DroppedChampionPackage", Route::Drop, "盖伦-钢铁军团.zip",
                   championPackage("Garen", "Garen_Skin02_loadscreen.dds"), "盖伦-钢铁军团", "Garen", 28},
        ImportCase{"DroppedCapitalZipName", Route::Drop, "A.ZIP", championPackage("Annie", "Annie.skl"), "A",
                   "Annie", 6}));

// --- Refused packages ----------------------------------------------------------------------

struct RefusedCase {
    const char* name;
    Route route;
    const char* fileName;
    bool isZip;                  // else a rar archive's first bytes
    const char* importedBefore;  // a package of the same skin name, dropped first; or nullptr
    const char* text;
    const char* caption;
};

void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class RefusedImportTest : public ImportE2eTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedImportTest, ShowsItsMessageAndAddsNothing) {
    const RefusedCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(startWithOneListedSkin());
    if (c.importedBefore) {
        Package first = writeZip(c.importedBefore, championPackage("Ahri", "Ahri_Skin01_TX_CM.dds"));
        ASSERT_NO_FATAL_FAILURE(importBy(Route::Drop, {first.path}));
        ASSERT_NO_FATAL_FAILURE(waitForStateTitle("状态[0\\2]"));
    }
    const std::vector<Row> rowsBefore = readRowsInOrder(list_);
    const std::optional<std::string> titleBefore = e2e::listViewColumnTitle(list_, 1);
    const std::vector<std::string> storeBefore = filesIn(programFile("data"));

    Package package = c.isZip ? writeZip(c.fileName, championPackage("Ahri", "Ahri_Skin02_TX_CM.dds"))
                              : writePackage(c.fileName, std::string("Rar!\x1a\x07\x00", 7) + "not a zip archive");
    ASSERT_NO_FATAL_FAILURE(importBy(c.route, {package.path}));
    ASSERT_NO_FATAL_FAILURE(expectMessageBoxAndOk("refusal", c.text, c.caption));
    expectNoDialog();

    EXPECT_EQ(readRowsInOrder(list_), rowsBefore);
    EXPECT_EQ(e2e::listViewColumnTitle(list_, 1), titleBefore);
    EXPECT_EQ(filesIn(programFile("data")), storeBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusedImportTest,
    ::testing::Values(
        RefusedCase{"SameSkinNameAgain", Route::Dialog, "阿狸.第二版.zip", true, "阿狸.zip",
                    "阿狸\r\n皮肤已存在，请勿重复添加", kFriendlyCaption},
        RefusedCase{"RarArchiveNamedZip", Route::Dialog, "x.zip", false, nullptr, kNotZip, kNoticeCaption},
        RefusedCase{"DroppedRarFile", Route::Drop, "皮肤.rar", false, nullptr, kDropNotZip, kNoticeCaption}));

// --- Several packages at once ---------------------------------------------------------------

class ImportSeveralTest : public ImportE2eTest, public ::testing::WithParamInterface<Route> {};

TEST_P(ImportSeveralTest, ImportsThemInTheOrderGiven) {
    const Route route = GetParam();
    // Not in alphabetical order, so that rows in the file system's order would show.
    const std::vector<std::pair<std::string, std::string>> skins = {{"Zyra", "Zyra"}, {"Annie", "Annie"},
                                                                    {"光辉女郎", "Lux"}};
    std::vector<Package> packages;
    std::vector<std::string> paths;
    for (const auto& [name, champion] : skins) {
        packages.push_back(writeZip(name + ".zip", championPackage(champion, champion + "_Skin01_TX_CM.dds")));
        paths.push_back(packages.back().path);
    }
    ASSERT_NO_FATAL_FAILURE(startWithOneListedSkin());

    ASSERT_NO_FATAL_FAILURE(importBy(route, paths));
    ASSERT_NO_FATAL_FAILURE(waitForStateTitle("状态[0\\4]"));
    expectNoDialog();

    std::vector<Row> rows = readRowsInOrder(list_);
    ASSERT_EQ(rows.size(), 4u) << "imported by " << routeName(route);
    EXPECT_EQ(rows[0], kListedRow);
    for (size_t i = 0; i < skins.size(); ++i) {
        const Row& row = rows[i + 1];
        EXPECT_EQ(row.name, skins[i].first) << "row " << i + 1;
        EXPECT_EQ(row.state, kNotMounted) << "row " << i + 1;
        EXPECT_EQ(row.label, skins[i].second) << "row " << i + 1;
        EXPECT_TRUE(parseTimeText(row.time)) << "row " << i + 1 << ": " << row.time;
        EXPECT_EQ(fileBytes(storeFile(row.name + "[" + row.time + "[" + row.label + "[.zip")), packages[i].bytes)
            << "the stored package of " << row.name;
    }
    EXPECT_EQ(filesIn(programFile("data")).size(), 4u);
    EXPECT_EQ(e2e::windowText(main_), kReadyCaption);
}

INSTANTIATE_TEST_SUITE_P(Routes, ImportSeveralTest, ::testing::Values(Route::Dialog, Route::Drop));

// A clash in the middle of a choice refuses that package only: the worker goes on with the next.
TEST_F(ImportE2eTest, AClashAmongSeveralChosenPackagesIsRefusedAndTheOthersAreImported) {
    Package lux = writeZip("Lux.zip", championPackage("Lux", "Lux_Skin01_TX_CM.dds"));
    Package luxAgain = writeZip("Lux.v2.zip", championPackage("Lux", "Lux_Skin02_TX_CM.dds"));
    Package annie = writeZip("Annie.zip", championPackage("Annie", "Annie_Skin01_TX_CM.dds"));
    ASSERT_NO_FATAL_FAILURE(startWithOneListedSkin());

    ASSERT_NO_FATAL_FAILURE(importBy(Route::Dialog, {lux.path, luxAgain.path, annie.path}));
    ASSERT_NO_FATAL_FAILURE(expectMessageBoxAndOk("clash message", std::string("Lux") + kSkinExists, kFriendlyCaption));
    ASSERT_NO_FATAL_FAILURE(waitForStateTitle("状态[0\\3]"));
    expectNoDialog();

    std::vector<Row> rows = readRowsInOrder(list_);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1].name, "Lux");
    EXPECT_EQ(rows[2].name, "Annie");
    EXPECT_EQ(fileBytes(storeFile("Lux[" + rows[1].time + "[Lux[.zip")), lux.bytes) << "the first Lux was replaced";
    EXPECT_EQ(filesIn(programFile("data")).size(), 3u);
}

}  // namespace
