#include "common/zip_extract.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <zlib.h>

#include "common/os.h"
#include "support/temp_dir.h"
#include "support/zip_writer.h"

namespace zip {

// Names the error kinds in failure messages.
void PrintTo(ExtractError e, std::ostream* os) {
    static const char* const kNames[] = {"None",        "CannotOpen", "NotZip",  "UnsafeName",
                                         "Link",        "Encrypted",  "Unsupported", "Corrupt",
                                         "NoSpace",     "WriteFailed"};
    *os << kNames[static_cast<int>(e)];
}

}  // namespace zip

namespace {

using zip::ExtractError;
using ziptest::Member;

namespace fs = std::filesystem;

// A sandbox folder whose subfolder a\b\out is the extraction target (not made beforehand: the
// extraction makes it), with the archive kept in a folder of its own, so that anything written
// outside the target shows up in the sandbox's listing.
class Scratch {
public:
    Scratch() : target_(sandbox_ / "a\\b\\out"), archive_(archives_ / "package.zip") {}

    const std::string& target() const { return target_; }
    const std::string& archive() const { return archive_; }
    const TempDir& sandbox() const { return sandbox_; }

    zip::ExtractResult extract(const std::vector<Member>& members, std::vector<int>* percents = nullptr) {
        archives_.write("package.zip", ziptest::buildZip(members));
        return extractFile(percents);
    }
    zip::ExtractResult extractFile(std::vector<int>* percents = nullptr) {
        return zip::extractAll(archive_, target_, [percents](int p) {
            if (percents) percents->push_back(p);
        });
    }
    void writeArchive(const std::string& bytes) const { archives_.write("package.zip", bytes); }

    // Every path below the sandbox that is neither the target, one of its parents, nor inside it.
    std::vector<std::string> outsideTarget() const {
        std::vector<std::string> found;
        fs::path root = fsPath(sandbox_.path());
        fs::path target = fsPath(target_);
        for (const auto& e : fs::recursive_directory_iterator(root)) {
            fs::path rel = e.path().lexically_relative(root);
            fs::path up = target.lexically_relative(root);
            bool parentOfTarget = std::mismatch(rel.begin(), rel.end(), up.begin(), up.end()).first == rel.end();
            bool insideTarget = std::mismatch(up.begin(), up.end(), rel.begin(), rel.end()).first == up.end();
            if (!parentOfTarget && !insideTarget) found.push_back(rel.u8string());
        }
        return found;
    }

    // Regular files anywhere below the target.
    std::vector<std::string> filesInTarget() const {
        std::vector<std::string> found;
        fs::path target = fsPath(target_);
        if (!fs::exists(target)) return found;
        for (const auto& e : fs::recursive_directory_iterator(target)) {
            if (e.is_regular_file()) found.push_back(e.path().lexically_relative(target).u8string());
        }
        return found;
    }

    std::string read(const std::string& relative) const {
        return os::readFile(target_ + "\\" + relative).value_or("<missing>");
    }
    bool isFolder(const std::string& relative) const { return os::isDirectory(target_ + "\\" + relative); }

    // Names in one folder below the target, sorted, without "." and "..".
    std::vector<std::string> namesIn(const std::string& relative) const {
        std::vector<std::string> names;
        for (const os::DirEntry& e : os::listEntries(relative.empty() ? target_ : target_ + "\\" + relative)) {
            if (e.name != "." && e.name != "..") names.push_back(e.name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    TempDir sandbox_, archives_;
    std::string target_, archive_;
};

// Bytes that deflate into several blocks and fill several read and write blocks: runs of
// pseudo-random bytes between repeated ones.
std::string sampleBytes(size_t size, uint32_t seed) {
    std::string out;
    out.reserve(size);
    uint32_t x = seed * 2654435761u + 1;
    while (out.size() < size) {
        for (int i = 0; i < 700 && out.size() < size; ++i) {
            x = x * 1103515245u + 12345u;
            out += static_cast<char>(x >> 24);
        }
        out.append(std::min<size_t>(900, size - out.size()), static_cast<char>('a' + seed % 26));
    }
    return out;
}

Member file(const std::string& name, const std::string& data, uint16_t method = ziptest::kDeflated) {
    Member m;
    m.name = name;
    m.data = data;
    m.method = method;
    return m;
}

Member folder(const std::string& name) {
    Member m;
    m.name = name;
    m.method = ziptest::kStored;
    m.externalAttributes = 0x10;
    return m;
}

// ---- Archives that extract ----

TEST(ZipExtract, WritesFilesWithTheirFoldersAndKeepsEmptyFolders) {
    Scratch s;
    std::string skeleton = sampleBytes(5000, 1);
    zip::ExtractResult r = s.extract({
        // No folder entries for these: their folders are made all the same.
        file("DATA/Characters/Ahri/Skins/Skin01/Ahri.skl", skeleton),
        file("DATA/readme.txt", "hello", ziptest::kStored),
        // Windows-made archives may separate with "\".
        file("Win\\Style\\file.txt", "backslashes"),
        folder("DATA/Empty/"),
        folder("x/y/z/"),
        // "." and doubled separators add nothing to the path.
        file("./dots//inner/./f.txt", "dot"),
    });
    ASSERT_TRUE(r.ok()) << r.member;
    EXPECT_EQ(s.read("DATA\\Characters\\Ahri\\Skins\\Skin01\\Ahri.skl"), skeleton);
    EXPECT_EQ(s.read("DATA\\readme.txt"), "hello");
    EXPECT_EQ(s.read("Win\\Style\\file.txt"), "backslashes");
    EXPECT_EQ(s.read("dots\\inner\\f.txt"), "dot");
    EXPECT_TRUE(s.isFolder("DATA\\Empty"));
    EXPECT_TRUE(s.isFolder("x\\y\\z"));
    EXPECT_EQ(s.namesIn("DATA\\Empty"), std::vector<std::string>{});
    EXPECT_EQ(s.namesIn(""), (std::vector<std::string>{"DATA", "Win", "dots", "x"}));
    EXPECT_EQ(s.outsideTarget(), std::vector<std::string>{});
}

TEST(ZipExtract, ConvertsCodePage936NamesAndKeepsUtf8FlaggedNames) {
    Scratch s;
    Member utf8 = file("\xE7\x9A\xAE\xE8\x82\xA4/Ahri.dds", "flagged");  // 皮肤/Ahri.dds in UTF-8
    utf8.flags = ziptest::kFlagUtf8;
    zip::ExtractResult r = s.extract({
        file("\xD3\xA2\xD0\xDB/\xD3\xA2\xD0\xDB.txt", "gbk"),  // 英雄/英雄.txt in code page 936
        // 淺 is 9C 5C: its trail byte is "\" and must not split the name.
        file("\x9C\x5C.txt", "trail byte"),
        utf8,
    });
    ASSERT_TRUE(r.ok()) << r.member;
    EXPECT_EQ(s.namesIn(""), (std::vector<std::string>{"\xE6\xB7\xBA.txt", "\xE7\x9A\xAE\xE8\x82\xA4",
                                                       "\xE8\x8B\xB1\xE9\x9B\x84"}));
    EXPECT_EQ(s.read("\xE8\x8B\xB1\xE9\x9B\x84\\\xE8\x8B\xB1\xE9\x9B\x84.txt"), "gbk");
    EXPECT_EQ(s.read("\xE6\xB7\xBA.txt"), "trail byte");
    EXPECT_EQ(s.read("\xE7\x9A\xAE\xE8\x82\xA4\\Ahri.dds"), "flagged");
}

TEST(ZipExtract, StoredAndDeflatedMembersOfEverySize) {
    Scratch s;
    std::vector<Member> members;
    const size_t sizes[] = {0, 1, 4095, 256 * 1024, 256 * 1024 + 1, 3 * 1024 * 1024 + 17};
    for (uint16_t method : {ziptest::kStored, ziptest::kDeflated}) {
        for (size_t size : sizes) {
            std::string name = "m" + std::to_string(method) + "_" + std::to_string(size) + ".bin";
            members.push_back(file(name, sampleBytes(size, static_cast<uint32_t>(size + method)), method));
        }
    }
    // An empty file deflated by a writer that gives it no deflate stream at all.
    Member bare = file("bare_empty.bin", "");
    bare.compressedBytes = "";
    members.push_back(bare);
    zip::ExtractResult r = s.extract(members);
    ASSERT_TRUE(r.ok()) << r.member;
    for (const Member& m : members) {
        SCOPED_TRACE(m.name);
        std::string got = s.read(m.name);
        EXPECT_EQ(got.size(), m.data.size());
        EXPECT_TRUE(got == m.data);
    }
}

TEST(ZipExtract, LaterMemberOfTheSameNameWinsAndOldFilesAreReplaced) {
    Scratch s;
    // What an earlier import left in the folder, longer than what replaces it.
    s.sandbox().write("a\\b\\out\\old.txt", std::string(100000, 'o'));
    zip::ExtractResult r = s.extract({
        // Large enough that the second "same.txt" comes up while the first is still being
        // written: the two must not be written at once.
        file("same.txt", sampleBytes(8 * 1024 * 1024, 7)),
        file("other.txt", "other"),
        file("same.txt", "second"),
        file("old.txt", "new"),
    });
    ASSERT_TRUE(r.ok()) << r.member;
    EXPECT_EQ(s.read("same.txt"), "second");
    EXPECT_EQ(s.read("old.txt"), "new");
}

TEST(ZipExtract, ProgressRisesOnTheCallingThreadAndEndsAt100) {
    Scratch s;
    // Large members move the percentage several steps per block; runs of small ones move it less
    // than one step per member, where a percentage could be reported twice.
    std::vector<Member> members;
    for (int i = 0; i < 300; ++i) {
        size_t size = i % 50 == 0 ? 400000 + i * 1000 : 1000 + i * 7;
        members.push_back(file("f" + std::to_string(i), sampleBytes(size, i)));
    }
    s.writeArchive(ziptest::buildZip(members));
    std::vector<int> percents;
    std::set<std::thread::id> threads;
    zip::ExtractResult r = zip::extractAll(s.archive(), s.target(), [&](int p) {
        percents.push_back(p);
        threads.insert(std::this_thread::get_id());
    });
    ASSERT_TRUE(r.ok()) << r.member;
    ASSERT_GE(percents.size(), 3u);  // more than the first and the last
    EXPECT_EQ(percents.front(), 0);
    EXPECT_EQ(percents.back(), 100);
    for (size_t i = 1; i < percents.size(); ++i) EXPECT_LT(percents[i - 1], percents[i]) << "at " << i;
    EXPECT_EQ(threads, std::set<std::thread::id>{std::this_thread::get_id()});

    // An archive of folders only still goes from 0 to 100.
    Scratch folders;
    std::vector<int> folderPercents;
    ASSERT_TRUE(folders.extract({folder("a/"), folder("b/c/")}, &folderPercents).ok());
    EXPECT_EQ(folderPercents, (std::vector<int>{0, 100}));
}

// A bad CRC shows only once all of a member's bytes are written: by then all the bytes may have
// been counted, yet 100 is not reported.
TEST(ZipExtract, ProgressStopsShortOf100WhenAMemberFails) {
    std::vector<Member> many;
    for (int i = 0; i < 20; ++i) many.push_back(file("f" + std::to_string(i), sampleBytes(50000, i)));
    many[15].crc = 0x12345678;
    std::vector<Member> one = {file("f0", sampleBytes(700000, 1))};
    one[0].crc = 0x12345678;

    for (const auto& [members, bad] : {std::pair{many, "f15"}, std::pair{one, "f0"}}) {
        SCOPED_TRACE(bad);
        Scratch s;
        std::vector<int> percents;
        zip::ExtractResult r = s.extract(members, &percents);
        EXPECT_EQ(r.error, ExtractError::Corrupt);
        EXPECT_EQ(r.member, bad);
        ASSERT_FALSE(percents.empty());
        EXPECT_LT(percents.back(), 100);
    }
}

// ---- Archives that are refused ----

struct RefusedCase {
    const char* what;
    std::string name;  // raw bytes
    uint16_t flags;
    uint16_t madeBy;
    uint32_t externalAttributes;
    uint16_t method;
    ExtractError error;
    const char* member;  // the name reported, UTF-8
};

constexpr uint32_t kUnixLink = 0120777u << 16;
constexpr uint32_t kUnixFile = 0100644u << 16;

std::vector<RefusedCase> refusedCases() {
    using ziptest::kDeflated;
    using ziptest::kMadeByDos;
    using ziptest::kMadeByUnix;
    const ExtractError kUnsafe = ExtractError::UnsafeName;
    std::vector<RefusedCase> cases = {
        {"parent", "../evil.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "../evil.txt"},
        {"parent deeper", "a/../../evil.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "a/../../evil.txt"},
        {"parent with backslashes", "a\\..\\..\\evil.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "a\\..\\..\\evil.txt"},
        {"parent folder entry", "../evil/", 0, kMadeByDos, 0x10, kDeflated, kUnsafe, "../evil/"},
        {"parent spelled with a space", ".. /evil.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, ".. /evil.txt"},
        {"parent spelled with dots", "... /evil.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "... /evil.txt"},
        {"absolute", "/evil.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "/evil.txt"},
        {"absolute backslash", "\\evil.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "\\evil.txt"},
        {"drive relative", "C:evil.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "C:evil.txt"},
        {"drive absolute", "C:\\evil.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "C:\\evil.txt"},
        {"drive slash", "c:/evil.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "c:/evil.txt"},
        {"UNC", "\\\\server\\share\\evil.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "\\\\server\\share\\evil.txt"},
        {"UNC slashes", "//server/share/evil.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "//server/share/evil.txt"},
        {"device", "CON", 0, kMadeByDos, 0, kDeflated, kUnsafe, "CON"},
        {"device lower case", "a/nul", 0, kMadeByDos, 0, kDeflated, kUnsafe, "a/nul"},
        {"device with extension", "nul.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "nul.txt"},
        {"device with two extensions", "Aux.tar.gz", 0, kMadeByDos, 0, kDeflated, kUnsafe, "Aux.tar.gz"},
        {"device before space and extension", "prn .txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "prn .txt"},
        {"device with trailing dot", "com1.", 0, kMadeByDos, 0, kDeflated, kUnsafe, "com1."},
        {"device with trailing spaces", "LPT9  ", 0, kMadeByDos, 0, kDeflated, kUnsafe, "LPT9  "},
        {"device as folder", "Com3/x.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "Com3/x.txt"},
        {"device superscript", "COM\xC2\xB9", ziptest::kFlagUtf8, kMadeByDos, 0, kDeflated, kUnsafe, "COM\xC2\xB9"},
        {"less than", "a<b.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "a<b.txt"},
        {"greater than", "a>b.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "a>b.txt"},
        {"colon (stream)", "a.txt:stream", 0, kMadeByDos, 0, kDeflated, kUnsafe, "a.txt:stream"},
        {"quote", "a\"b.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "a\"b.txt"},
        {"bar", "a|b.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "a|b.txt"},
        {"question mark", "a?b.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "a?b.txt"},
        {"star", "dir*/b.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "dir*/b.txt"},
        {"control character", "a\x01" "b.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "a\x01" "b.txt"},
        {"tab", "a\tb.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "a\tb.txt"},
        {"trailing dot", "a./b.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe, "a./b.txt"},
        {"trailing space", "b.txt ", 0, kMadeByDos, 0, kDeflated, kUnsafe, "b.txt "},
        {"not UTF-8 though flagged", "\xFF\xFE.txt", ziptest::kFlagUtf8, kMadeByDos, 0, kDeflated, kUnsafe,
         "\xEF\xBF\xBD\xEF\xBF\xBD.txt"},
        {"code page 936 name climbing", "\xD3\xA2\xD0\xDB/../../evil.txt", 0, kMadeByDos, 0, kDeflated, kUnsafe,
         "\xE8\x8B\xB1\xE9\x9B\x84/../../evil.txt"},
        {"Unix link", "link", 0, kMadeByUnix, kUnixLink, kDeflated, ExtractError::Link, "link"},
        {"macOS link", "dir/link", 0, 0x1314, kUnixLink, ziptest::kStored, ExtractError::Link, "dir/link"},
        {"encrypted", "secret.txt", ziptest::kFlagEncrypted, kMadeByUnix, kUnixFile, kDeflated,
         ExtractError::Encrypted, "secret.txt"},
        {"bzip2", "b.bz", 0, kMadeByDos, 0, 12, ExtractError::Unsupported, "b.bz"},
        {"LZMA", "b.lzma", 0, kMadeByDos, 0, 14, ExtractError::Unsupported, "b.lzma"},
        {"AES", "b.aes", 0, kMadeByDos, 0, 99, ExtractError::Unsupported, "b.aes"},
    };
    return cases;
}

// Each archive holds a harmless member first, then the hostile one: the refusal must come before
// anything is written, so not even the harmless member may be found.
TEST(ZipExtractRefuses, HostileMembersBeforeWritingAnything) {
    for (const RefusedCase& c : refusedCases()) {
        SCOPED_TRACE(c.what);
        Scratch s;
        Member hostile = file(c.name, "evil", c.method);
        hostile.flags = c.flags;
        hostile.madeBy = c.madeBy;
        hostile.externalAttributes = c.externalAttributes;
        zip::ExtractResult r = s.extract({file("ok/first.txt", "first"), hostile});
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(r.member, c.member);
        EXPECT_EQ(s.outsideTarget(), std::vector<std::string>{});
        EXPECT_EQ(s.filesInTarget(), std::vector<std::string>{});
    }
}

TEST(ZipExtractRefuses, AbsoluteNamesPointingIntoTheSandbox) {
    Scratch s;
    // A name that spells out a real folder beside the target: "/tmp/.../evil.txt" natively,
    // "C:\users\...\evil.txt" under Windows.
    for (std::string name : {s.sandbox() / "evil.txt", s.sandbox() / "a\\evil.txt"}) {
        SCOPED_TRACE(name);
        zip::ExtractResult r = s.extract({file(name, "evil")});
        EXPECT_EQ(r.error, ExtractError::UnsafeName);
        EXPECT_EQ(s.outsideTarget(), std::vector<std::string>{});
        for (char& c : name) {
            if (c == '\\') c = '/';
        }
        r = s.extract({file(name, "evil")});
        EXPECT_EQ(r.error, ExtractError::UnsafeName);
        EXPECT_EQ(s.outsideTarget(), std::vector<std::string>{});
    }
}

TEST(ZipExtractRefuses, ANameThatIsBothFileAndFolder) {
    Scratch s;
    zip::ExtractResult r = s.extract({file("data/x", "file"), file("Data/x/y.txt", "below")});
    EXPECT_EQ(r.error, ExtractError::UnsafeName);
    EXPECT_EQ(r.member, "data/x");
    EXPECT_EQ(s.filesInTarget(), std::vector<std::string>{});
}

TEST(ZipExtractRefuses, DeclaredSizesBeyondTheFreeSpace) {
    Scratch s;
    Member huge = file("huge.bin", "small in truth");
    huge.declaredSize = uint64_t(1) << 62;  // no disk has this much room
    zip::ExtractResult r = s.extract({file("first.txt", "first"), huge});
    EXPECT_EQ(r.error, ExtractError::NoSpace);
    EXPECT_EQ(s.filesInTarget(), std::vector<std::string>{});

    // Many members whose sizes only overflow when added up.
    Scratch sum;
    std::vector<Member> members;
    for (int i = 0; i < 5; ++i) {
        members.push_back(file("part" + std::to_string(i), "x"));
        members.back().declaredSize = uint64_t(1) << 62;
    }
    EXPECT_EQ(sum.extract(members).error, ExtractError::NoSpace);
    EXPECT_EQ(sum.filesInTarget(), std::vector<std::string>{});
}

// Data that does not match what the headers declare. Writing may have begun when the fault
// shows, but nothing lands outside the target and no file grows past its declared size.
TEST(ZipExtractRefuses, CorruptMemberData) {
    const std::string data = sampleBytes(600000, 3);
    const std::string deflated = ziptest::deflateRaw(data);
    struct Case {
        const char* what;
        Member member;
    };
    std::vector<Case> cases;
    auto add = [&](const char* what, uint16_t method, auto change) {
        Member m = file("victim.bin", data, method);
        change(m);
        cases.push_back({what, m});
    };
    add("deflated, bad CRC", ziptest::kDeflated, [](Member& m) { m.crc = 0xDEADBEEF; });
    add("stored, bad CRC", ziptest::kStored, [](Member& m) { m.crc = 0xDEADBEEF; });
    add("deflated, declared larger", ziptest::kDeflated, [&](Member& m) { m.declaredSize = data.size() + 1; });
    add("deflated, declared smaller", ziptest::kDeflated, [&](Member& m) { m.declaredSize = 1000; });
    add("stored, sizes differ", ziptest::kStored, [&](Member& m) {
        // The compressed size stays the data's; the CRC is right for the declared part.
        m.declaredSize = 1000;
        m.crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(data.data()), 1000));
    });
    add("deflate stream cut short", ziptest::kDeflated,
        [&](Member& m) { m.compressedBytes = deflated.substr(0, deflated.size() / 2); });
    add("bytes after the deflate stream", ziptest::kDeflated,
        [&](Member& m) { m.compressedBytes = deflated + std::string(100, '\0'); });
    add("not a deflate stream", ziptest::kDeflated, [&](Member& m) { m.compressedBytes = std::string(5000, '\xFF'); });

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Scratch s;
        zip::ExtractResult r = s.extract({file("first.txt", "first"), c.member});
        EXPECT_EQ(r.error, ExtractError::Corrupt);
        EXPECT_EQ(r.member, "victim.bin");
        EXPECT_EQ(s.outsideTarget(), std::vector<std::string>{});
        uint64_t declared = c.member.declaredSize.value_or(data.size());
        std::error_code ec;
        uint64_t written = fs::file_size(fsPath(s.target() + "\\victim.bin"), ec);
        if (!ec) {
            EXPECT_LE(written, declared);
        }
    }
}

TEST(ZipExtractRefuses, FilesThatAreNotWholeArchives) {
    Scratch s;
    std::string archive = ziptest::buildZip({file("a.txt", sampleBytes(20000, 1)), file("b.txt", "b")});
    struct Case {
        const char* what;
        std::string bytes;
        ExtractError error;
    };
    const Case cases[] = {
        {"empty file", "", ExtractError::NotZip},
        {"text", "This is not a zip archive, just text.\r\n", ExtractError::NotZip},
        {"cut in half", archive.substr(0, archive.size() / 2), ExtractError::Corrupt},
        {"end record cut", archive.substr(0, archive.size() - 10), ExtractError::Corrupt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        s.writeArchive(c.bytes);
        EXPECT_EQ(s.extractFile().error, c.error);
        EXPECT_EQ(s.outsideTarget(), std::vector<std::string>{});
        EXPECT_EQ(s.filesInTarget(), std::vector<std::string>{});
    }

    TempDir empty;
    EXPECT_EQ(zip::extractAll(empty / "missing.zip", empty / "out").error, ExtractError::CannotOpen);
}

}  // namespace
