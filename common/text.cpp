#include "text.h"

namespace text {

size_t find(std::string_view haystack, std::string_view needle, size_t from) {
    if (needle.empty() || from > haystack.size()) return npos;
    return haystack.find(needle, from);
}

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string asciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = asciiLower(c);
    return out;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    }
    return true;
}

size_t findNoCase(std::string_view haystack, std::string_view needle, size_t from) {
    if (needle.empty() || from > haystack.size() || needle.size() > haystack.size()) return npos;
    for (size_t i = from; i + needle.size() <= haystack.size(); ++i) {
        if (equalsNoCase(haystack.substr(i, needle.size()), needle)) return i;
    }
    return npos;
}

std::vector<std::string> split(std::string_view text, std::string_view delimiter) {
    std::vector<std::string> items;
    forEachItem(text, delimiter, [&](std::string_view item) { items.emplace_back(item); });
    return items;
}

std::string_view lastPathComponent(std::string_view path) {
    size_t at = path.rfind('\\');
    return at == npos ? path : path.substr(at + 1);
}

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

bool endsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace text
