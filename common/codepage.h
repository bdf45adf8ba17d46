// Conversion between UTF-8 and the system's ANSI code page (936, GBK, on the systems we serve).
//
// Files that live in the system code page (Game\ClientZips.txt, Config.ini, Update.txt) and zip
// entry names without the UTF-8 flag are converted here, where they enter or leave the program.
// On Windows the system's own conversion is used; natively iconv's CP936, so tests agree.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace codepage {

// Bytes in the ANSI code page to UTF-8. A byte sequence that is not valid in the code page
// becomes U+FFFD; the conversion never fails.
std::string ansiToUtf8(std::string_view ansi);

// UTF-8 to the ANSI code page, or nullopt when some character has no form in that code page
// (or the UTF-8 is malformed).
std::optional<std::string> utf8ToAnsi(std::string_view utf8);

}  // namespace codepage
