// UTF-8 <-> UTF-16 at the edge of the wide Windows API.
#pragma once

#include <string>
#include <string_view>

namespace win {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace win
