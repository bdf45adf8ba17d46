// The programs' paths ("\" separators) as the posix side opens them. UTF-8 never holds a 0x5C
// byte inside a character, so every backslash is a separator.
#pragma once

#include <string>

inline std::string posixPath(std::string path) {
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    return path;
}
