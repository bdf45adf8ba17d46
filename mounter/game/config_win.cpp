#include "game/config_win.h"

#include <windows.h>

#include <optional>

#include "common/codepage.h"
#include "common/os.h"
#include "common/win/wide.h"
#include "texts.h"

namespace {
constexpr size_t kValueBufferBytes = 10240;
}

std::string configFilePath() {
    return os::programDirectory() + "\\Config.ini";
}

std::string cutToAnsiBytes(const std::string& utf8, size_t maxBytes) {
    std::optional<std::string> ansi = codepage::utf8ToAnsi(utf8);
    if (ansi && ansi->size() <= maxBytes) return utf8;
    size_t bytes = 0;
    size_t i = 0;
    while (i < utf8.size()) {
        size_t len = 1;
        unsigned char lead = static_cast<unsigned char>(utf8[i]);
        if (lead >= 0xF0) len = 4;
        else if (lead >= 0xE0) len = 3;
        else if (lead >= 0xC0) len = 2;
        std::optional<std::string> ch = codepage::utf8ToAnsi(utf8.substr(i, len));
        size_t chBytes = ch ? ch->size() : 1;
        if (bytes + chBytes > maxBytes) break;
        bytes += chBytes;
        i += len;
    }
    return utf8.substr(0, i);
}

std::string IniConfig::read(const char* key) {
    std::wstring section = win::widen(texts::kConfigSection);
    std::wstring wkey = win::widen(key);
    std::wstring file = win::widen(path_);
    std::wstring buf(kValueBufferBytes, L'\0');
    for (;;) {
        DWORD n = GetPrivateProfileStringW(section.c_str(), wkey.c_str(), L"", buf.data(),
                                           static_cast<DWORD>(buf.size()), file.c_str());
        if (n + 1 < buf.size()) {
            buf.resize(n);
            break;
        }
        buf.assign(buf.size() * 2, L'\0');
    }
    return cutToAnsiBytes(win::narrow(buf), kValueBufferBytes - 1);
}

void IniConfig::write(const char* key, const std::string& value) {
    WritePrivateProfileStringW(win::widen(texts::kConfigSection).c_str(), win::widen(key).c_str(),
                               win::widen(value).c_str(), win::widen(path_).c_str());
}

std::string IniConfig::readGameDirectory() {
    return read(texts::kKeyGameDirectory);
}

void IniConfig::writeGameDirectory(const std::string& directory) {
    write(texts::kKeyGameDirectory, directory);
}

void IniConfig::writeLaunchFile(const std::string& path) {
    write(texts::kKeyLaunchFile, path);
}
