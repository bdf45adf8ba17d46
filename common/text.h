// Text helpers over UTF-8 strings.
//
// Text inside the programs is UTF-8. UTF-8 is self-synchronising, so a byte search never
// matches inside a character: every search here is double-byte aware by construction. Case
// folding touches the ASCII letters A-Z only; every other byte is compared as it is.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace text {

constexpr size_t npos = std::string_view::npos;

// Position of needle in haystack at or after from, or npos. An empty needle is never found.
size_t find(std::string_view haystack, std::string_view needle, size_t from = 0);
// The same, with ASCII letters compared without regard to case.
size_t findNoCase(std::string_view haystack, std::string_view needle, size_t from = 0);

char asciiLower(char c);
std::string asciiLower(std::string_view s);
bool equalsNoCase(std::string_view a, std::string_view b);

// Splits text at every occurrence of delimiter. Text between two consecutive delimiters is an
// empty item, a final delimiter adds no item, and an empty text gives no items.
std::vector<std::string> split(std::string_view text, std::string_view delimiter);

// Calls f(line) for every item of split(text, delimiter), as views into text, without copying.
template <typename F>
void forEachItem(std::string_view text, std::string_view delimiter, F&& f) {
    if (text.empty() || delimiter.empty()) {
        if (!text.empty()) f(text);
        return;
    }
    size_t start = 0;
    while (start < text.size()) {
        size_t at = text.find(delimiter, start);
        if (at == std::string_view::npos) {
            f(text.substr(start));
            return;
        }
        f(text.substr(start, at - start));
        start = at + delimiter.size();
    }
}

// The text after the last backslash, or the whole text when it holds none. "D:\" gives "".
std::string_view lastPathComponent(std::string_view path);

bool startsWith(std::string_view s, std::string_view prefix);
bool endsWith(std::string_view s, std::string_view suffix);

}  // namespace text
