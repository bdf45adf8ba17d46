#include "common/text.h"

#include <gtest/gtest.h>

#include "common/codepage.h"

namespace {

struct FindCase {
    const char* haystack;
    const char* needle;
    size_t from;
    size_t exact;   // text::find
    size_t folded;  // text::findNoCase
};

const FindCase kFindCases[] = {
    {"ClientZips.txt", "Zips", 0, 6, 6},
    {"ClientZips.txt", "zips", 0, text::npos, 6},
    {"abcABC", "abc", 1, text::npos, 3},
    {"abc", "", 0, text::npos, text::npos},
    {"", "a", 0, text::npos, text::npos},
    {"abc", "abcd", 0, text::npos, text::npos},
    {"ab", "b", 3, text::npos, text::npos},
    // Only ASCII letters fold: Ä (C3 84) and ä (C3 A4) stay different, and so do the
    // full-width Ａ (EF BC A1) and ａ (EF BD 81).
    {"\xC3\x84", "\xC3\xA4", 0, text::npos, text::npos},
    {"x\xEF\xBC\xA1", "\xEF\xBD\x81", 0, text::npos, text::npos},
    // 乕 is E4 B9 95 in UTF-8: the byte "[" (its GBK trail byte) is never found inside it.
    {"\xE4\xB9\x95", "[", 0, text::npos, text::npos},
    {"<Version>2.0</Version>", "<version>", 0, text::npos, 0},
};

TEST(TextFind, Table) {
    for (const FindCase& c : kFindCases) {
        SCOPED_TRACE(std::string(c.haystack) + " / " + c.needle);
        EXPECT_EQ(text::find(c.haystack, c.needle, c.from), c.exact);
        EXPECT_EQ(text::findNoCase(c.haystack, c.needle, c.from), c.folded);
    }
}

TEST(TextFold, TouchesAsciiLettersOnly) {
    EXPECT_EQ(text::asciiLower("MYSkins\\MY\xC3\x84.ZIP"), "myskins\\my\xC3\x84.zip");
    EXPECT_TRUE(text::equalsNoCase("Game\\ClientZips.TXT", "game\\clientzips.txt"));
    EXPECT_FALSE(text::equalsNoCase("[", "{"));  // 0x5B and 0x7B differ by 0x20 but are not letters
    EXPECT_FALSE(text::equalsNoCase("@", "`"));
}

struct SplitCase {
    const char* text;
    const char* delimiter;
    std::vector<std::string> items;
};

const SplitCase kSplitCases[] = {
    {"", "\r\n", {}},
    {"A.zip", "\r\n", {"A.zip"}},
    {"A.zip\r\n", "\r\n", {"A.zip"}},
    {"A.zip\r\n\r\nB.zip", "\r\n", {"A.zip", "", "B.zip"}},
    {"\r\n\r\n", "\r\n", {"", ""}},
    {"\r\n", "\r\n", {""}},
    {"a\nb\r\n", "\r\n", {"a\nb"}},
    {"a[b[c[.zip", "[", {"a", "b", "c", ".zip"}},
    {"a[[c", "[", {"a", "", "c"}},
    {"[", "[", {""}},
    {"foo.zip", "[", {"foo.zip"}},
};

TEST(TextSplit, Table) {
    for (const SplitCase& c : kSplitCases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        EXPECT_EQ(text::split(c.text, c.delimiter), c.items);
    }
}

TEST(TextPath, LastComponent) {
    EXPECT_EQ(text::lastPathComponent("D:\\Games\\英雄联盟"), "英雄联盟");
    EXPECT_EQ(text::lastPathComponent("D:\\"), "");
    EXPECT_EQ(text::lastPathComponent("英雄联盟"), "英雄联盟");
    EXPECT_EQ(text::lastPathComponent("D:\\Games\\英雄联盟\\"), "");
}

// GBK bytes whose trail byte is "\" (淺 = 9C 5C) or "[" (嘯 = 87 5B): converted at the edge,
// they become UTF-8 in which neither byte occurs inside the character.
TEST(Codepage, TrailBytesThatLookLikeDelimitersSurvive) {
    const std::string gbkPath = "C:\\dir\\\x9C\x5C\xC9\xAB.txt";  // C:\dir\淺色.txt
    std::string utf8 = codepage::ansiToUtf8(gbkPath);
    EXPECT_EQ(utf8, "C:\\dir\\淺色.txt");
    EXPECT_EQ(text::lastPathComponent(utf8), "淺色.txt");
    EXPECT_EQ(codepage::utf8ToAnsi(utf8), gbkPath);

    const std::string gbkStored = "\x87\x5B[t[l[.zip";  // 嘯[t[l[.zip
    std::string stored = codepage::ansiToUtf8(gbkStored);
    EXPECT_EQ(stored, "嘯[t[l[.zip");
    EXPECT_EQ(text::split(stored, "[").front(), "嘯");
    EXPECT_EQ(codepage::utf8ToAnsi(stored), gbkStored);
}

TEST(Codepage, RoundTripOfGameTexts) {
    EXPECT_EQ(codepage::utf8ToAnsi("英雄联盟"), std::string("\xD3\xA2\xD0\xDB\xC1\xAA\xC3\xCB"));
    EXPECT_EQ(codepage::ansiToUtf8("\xD7\xB4\xCC\xAC"), "状态");
    EXPECT_EQ(codepage::utf8ToAnsi(""), std::string());
    EXPECT_EQ(codepage::ansiToUtf8("MYSkins\\MYAhri.zip\r\n"), "MYSkins\\MYAhri.zip\r\n");
}

TEST(Codepage, CharactersWithoutAGbkFormAreRefused) {
    EXPECT_FALSE(codepage::utf8ToAnsi("Ahri\xF0\x9F\x98\x80").has_value());  // an emoji
    EXPECT_FALSE(codepage::utf8ToAnsi("\xE2\x9C\x93").has_value());          // ✓
    EXPECT_FALSE(codepage::utf8ToAnsi("\xC3\x28").has_value());              // malformed UTF-8
}

}  // namespace
