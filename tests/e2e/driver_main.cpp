// e2e_driver.exe: the driver library's operations for scripts.
//
//   e2e_driver window-rect <title> [seconds]
//       Waits (20 s unless seconds is given) for a visible top-level window with exactly this
//       title, in any process, and prints "x y width height" of its window rectangle, frame
//       included. Exit code 0; 2 on time-out; 1 on bad arguments.
//
// wmain (linked with -municode) receives the arguments as UTF-16, so Chinese titles arrive
// intact whatever the code page.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "common/win/wide.h"
#include "driver.h"

namespace {

constexpr int kDefaultWaitSeconds = 20;

int usage() {
    std::fputs("usage: e2e_driver window-rect <title> [seconds]\n", stderr);
    return 1;
}

int windowRect(int argc, wchar_t** argv) {
    if (argc < 3 || argc > 4) return usage();
    std::string title = win::narrow(argv[2]);
    int seconds = kDefaultWaitSeconds;
    if (argc == 4) {
        wchar_t* end = nullptr;
        long value = std::wcstol(argv[3], &end, 10);
        if (*end != L'\0' || value < 0 || value > 3600) return usage();
        seconds = static_cast<int>(value);
    }
    HWND hwnd = e2e::waitForWindow(0, std::string(), title, std::chrono::seconds(seconds));
    RECT r;
    if (!hwnd || !GetWindowRect(hwnd, &r)) {
        std::fprintf(stderr, "e2e_driver: no visible window titled \"%s\" within %d s\n", title.c_str(), seconds);
        return 2;
    }
    std::printf("%ld %ld %ld %ld\n", static_cast<long>(r.left), static_cast<long>(r.top),
                static_cast<long>(r.right - r.left), static_cast<long>(r.bottom - r.top));
    std::fflush(stdout);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // "\n", not "\r\n": the output is read by shell scripts on the Unix side.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2) return usage();
    if (std::wcscmp(argv[1], L"window-rect") == 0) return windowRect(argc, argv);
    return usage();
}
