#include "skins/import.h"

#include <gtest/gtest.h>

#include "common/os.h"
#include "support/fake_program.h"
#include "support/temp_dir.h"
#include "support/zip_writer.h"

namespace {

TEST(SkinName, OfPath) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\skins\\Ahri.Fox.zip", "Ahri"},
        {"C:\\skins\\阿狸-九尾.zip", "阿狸-九尾"},
        {"C:\\some.folder\\noext", ""},
        {"Ahri.zip", "Ahri"},
        {"/tmp/x/y.zip", "y"},
        {"C:\\skins\\.zip", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(skinNameOfPath(c.first), c.second) << c.first;
}

TEST(DroppedFiles, PathsAndExtensions) {
    EXPECT_EQ(droppedPaths("C:\\a.zip"), (std::vector<std::string>{"C:\\a.zip"}));
    EXPECT_EQ(droppedPaths("C:\\a.zip\r\nC:\\b.rar\r\n"), (std::vector<std::string>{"C:\\a.zip", "C:\\b.rar"}));
    EXPECT_TRUE(droppedPaths("").empty());
    for (const char* yes : {"a.zip", "A.ZIP", "C:\\x.y\\a.Zip", ".zip"}) EXPECT_TRUE(isZipFileName(yes)) << yes;
    for (const char* no : {"a.rar", "a.zip.txt", "zip", "a.zipx", "C:\\x.zip\\a"}) EXPECT_FALSE(isZipFileName(no)) << no;
}

TEST(ProgressCaption, TwelveBlanksThenPercentBeforeTheNumber) {
    EXPECT_EQ(progressCaption("Ahri", 57), "墨羽挂载器v2.0正式版            Ahri皮肤文件已加载%57");
}

ziptest::Member file(std::string name, std::string data) {
    ziptest::Member m;
    m.name = std::move(name);
    m.data = std::move(data);
    return m;
}

class ImportTest : public ::testing::Test, protected FakeProgram {
protected:
    TempDir sources;

    std::string package(const std::string& fileName, const std::vector<ziptest::Member>& members) {
        sources.write(fileName, ziptest::buildZip(members));
        return sources / fileName;
    }
    std::string ahriPackage(const std::string& fileName) {
        return package(fileName, {file("DATA/Characters/Ahri/Skins/Skin01/Ahri_Skin01_TX_CM.dds", std::string(5000, 'a')),
                                  file("DATA/Characters/Ahri/Ahri.skn", std::string(3000, 'b'))});
    }
};

TEST_F(ImportTest, ImportsLabelsAndStoresTheFileAsItIs) {
    std::string source = ahriPackage("Ahri_Fox.v2.zip");
    EXPECT_EQ(importSkinPackage(ctx, source), ImportOutcome::Imported);
    ASSERT_EQ(list.count(), 1);
    const SkinRow& row = list.rows[0];
    EXPECT_EQ(row.name, "Ahri_Fox");
    EXPECT_EQ(row.state, "未挂载");
    EXPECT_EQ(row.label, "Ahri");
    EXPECT_EQ(row.icon, 1);
    EXPECT_NE(row.time.find("年"), std::string::npos);

    std::string stored = dir / ("data/Ahri_Fox[" + row.time + "[Ahri[.zip");
    EXPECT_EQ(os::readFile(stored), os::readFile(source));
    EXPECT_FALSE(os::isDirectory(dir / "Varno"));
    EXPECT_TRUE(ui.shown.empty());

    // Progress in the caption, never decreasing, then the program's own caption.
    ASSERT_GE(ui.captions.size(), 2u);
    EXPECT_EQ(ui.captions.back(), "墨羽挂载器v2.0正式版");
    EXPECT_EQ(ui.captions[ui.captions.size() - 2], progressCaption("Ahri_Fox", 100));
    int last = -1;
    for (size_t i = 0; i + 1 < ui.captions.size(); ++i) {
        const std::string prefix = progressCaption("Ahri_Fox", 0);
        ASSERT_EQ(ui.captions[i].compare(0, prefix.size() - 1, prefix, 0, prefix.size() - 1), 0) << ui.captions[i];
        int percent = std::stoi(ui.captions[i].substr(prefix.size() - 1));
        EXPECT_GE(percent, last);
        last = percent;
    }
}

TEST_F(ImportTest, NothingDetectedIsUnknown) {
    EXPECT_EQ(importSkinPackage(ctx, package("plain.zip", {file("readme.txt", "hello")})), ImportOutcome::Imported);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.rows[0].label, "未知");
    EXPECT_EQ(list.rows[0].icon, 123);
    EXPECT_TRUE(os::isFile(dir / ("data/plain[" + list.rows[0].time + "[未知[.zip")));
}

TEST_F(ImportTest, ClashIsRefusedWithTheName) {
    ASSERT_EQ(importSkinPackage(ctx, ahriPackage("Ahri.zip")), ImportOutcome::Imported);
    EXPECT_EQ(importSkinPackage(ctx, ahriPackage("Ahri.other.zip")), ImportOutcome::Clash);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "Ahri\r\n皮肤已存在，请勿重复添加");
    EXPECT_EQ(ui.shown[0].caption, "【墨羽友情提示】");
    EXPECT_EQ(list.count(), 1);
    // Letter case makes another name.
    EXPECT_EQ(importSkinPackage(ctx, ahriPackage("AHRI.zip")), ImportOutcome::Imported);
    EXPECT_EQ(list.count(), 2);
}

TEST_F(ImportTest, ClashCheckCoversEveryRow) {
    for (int i = 0; i < 1200; ++i) list.append(SkinRow{"skin" + std::to_string(i), "未挂载", "未知", "t", 123});
    EXPECT_EQ(importSkinPackage(ctx, ahriPackage("skin1100.zip")), ImportOutcome::Clash);
    EXPECT_EQ(list.count(), 1200);
}

TEST_F(ImportTest, NamesThatCouldNeverBeMountedAreRefused) {
    for (const char* file : {"noext", "x[y.zip", ".zip"}) {
        SCOPED_TRACE(file);
        ui.shown.clear();
        EXPECT_EQ(importSkinPackage(ctx, ahriPackage(file)), ImportOutcome::BadName);
        ASSERT_EQ(ui.shown.size(), 1u);
        EXPECT_EQ(ui.shown[0].text.rfind(std::string(file) + "\r\n抱歉，", 0), 0u) << ui.shown[0].text;
        EXPECT_EQ(ui.shown[0].caption, "【墨羽提示】");
    }
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(os::listFiles(dir / "data\\*.zip").empty());
}

TEST_F(ImportTest, NotAZipShowsTheExtractionMessage) {
    sources.write("x.zip", "Rar!\x1a\x07\x00 this is no zip");
    EXPECT_EQ(importSkinPackage(ctx, sources / "x.zip"), ImportOutcome::ExtractFailed);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text, "抱歉，压缩包格式不是zip,请解压重新压缩成zip格式的");
    EXPECT_EQ(ui.shown[0].caption, "【墨羽提示】");
    EXPECT_EQ(list.count(), 0);
    EXPECT_TRUE(os::listFiles(dir / "data\\*.zip").empty());

    ui.shown.clear();
    std::string hostile = package("evil.zip", {file("../../outside.dds", "x")});
    EXPECT_EQ(importSkinPackage(ctx, hostile), ImportOutcome::ExtractFailed);
    EXPECT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(list.count(), 0);
    EXPECT_FALSE(os::isFile(dir / "outside.dds"));
    EXPECT_FALSE(os::isFile(dir / "Varno/outside.dds"));
}

TEST_F(ImportTest, LeftoversOfAFailedImportAreNotDetected) {
    dir.write("Varno/data/Ahri/Zed_TX_CM.dds", "");
    EXPECT_EQ(importSkinPackage(ctx, package("Ahri.zip", {file("Annie.skl", "x")})), ImportOutcome::Imported);
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.rows[0].label, "Annie");
}

TEST_F(ImportTest, StoreFailureTakesTheRowBack) {
    dir.write("data", "a file where the store folder should be");
    EXPECT_EQ(importSkinPackage(ctx, ahriPackage("Ahri.zip")), ImportOutcome::StoreFailed);
    EXPECT_EQ(list.count(), 0);
    ASSERT_EQ(ui.shown.size(), 1u);
    EXPECT_EQ(ui.shown[0].text.rfind("Ahri\r\n抱歉，", 0), 0u);
    EXPECT_FALSE(os::isDirectory(dir / "Varno"));
}

}  // namespace
