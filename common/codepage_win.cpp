#include "codepage.h"

#include <windows.h>

#include "win/wide.h"

namespace codepage {

std::string ansiToUtf8(std::string_view ansi) {
    if (ansi.empty()) return std::string();
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    return win::narrow(wide);
}

std::optional<std::string> utf8ToAnsi(std::string_view utf8) {
    if (utf8.empty()) return std::string();
    int wn = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (wn == 0) return std::nullopt;
    std::wstring wide(wn, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wn);
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wn, nullptr, 0, nullptr, &usedDefault);
    if (n == 0 || usedDefault) return std::nullopt;
    std::string out(n, '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wn, out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace codepage
