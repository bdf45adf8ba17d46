#include "game/registry_win.h"

#include <windows.h>

#include <string>

#include "common/win/wide.h"

namespace {

// REG_SZ as it is, REG_EXPAND_SZ with its environment references expanded; anything else,
// and a missing value, is "".
std::string readString(HKEY key, const wchar_t* name) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::string();
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::string();
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &got) != ERROR_SUCCESS)
        return std::string();
    value.resize(wcsnlen(value.c_str(), got / sizeof(wchar_t)));
    if (type == REG_EXPAND_SZ) {
        DWORD n = ExpandEnvironmentStringsW(value.c_str(), nullptr, 0);
        std::wstring expanded(n, L'\0');
        n = ExpandEnvironmentStringsW(value.c_str(), expanded.data(), n);
        expanded.resize(n > 0 ? n - 1 : 0);
        value = expanded;
    }
    return win::narrow(value);
}

}  // namespace

RegistryValues Win32GameRegistry::read() {
    RegistryValues values;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Tencent\\LOL", 0, KEY_READ | KEY_WOW64_32KEY, &key) !=
        ERROR_SUCCESS)
        return values;
    values.installPath = readString(key, L"InstallPath");
    values.setup = readString(key, L"setup");
    RegCloseKey(key);
    return values;
}
