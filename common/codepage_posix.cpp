#include "codepage.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace codepage {
namespace {

// Runs iconv over the whole input. With replace set, an invalid input sequence is skipped one
// byte at a time and U+FFFD stands in its place (only used for CP936 -> UTF-8).
std::optional<std::string> convert(const char* to, const char* from, std::string_view in, bool replace) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    std::vector<char> buf(4 * in.size() + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = buf.data();
        size_t dstLeft = buf.size();
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf.data(), dst - buf.data());
        if (r != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        if (!replace) {
            ok = false;
            break;
        }
        out += "\xEF\xBF\xBD";
        ++src;
        --srcLeft;
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    return out;
}

}  // namespace

std::string ansiToUtf8(std::string_view ansi) {
    return convert("UTF-8", "CP936", ansi, true).value_or(std::string());
}

std::optional<std::string> utf8ToAnsi(std::string_view utf8) {
    return convert("CP936", "UTF-8", utf8, false);
}

}  // namespace codepage
