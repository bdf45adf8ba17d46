#include "mount/client_list.h"

#include <optional>

#include "common/codepage.h"
#include "common/os.h"
#include "common/text.h"

std::string clientZipsPath(const std::string& gameDirectory) {
    return gameDirectory + "\\Game\\ClientZips.txt";
}

std::string mountedEntry(const std::string& skinName) {
    return "MYSkins\\MY" + skinName + ".zip";
}

std::vector<std::string> readClientZipsLines(const std::string& gameDirectory) {
    // Without a game directory the path would name a folder at the root of the current drive.
    if (gameDirectory.empty()) return {};
    std::optional<os::FileView> view = os::FileView::openForUpdate(clientZipsPath(gameDirectory));
    if (!view) return {};
    return text::split(codepage::ansiToUtf8(view->bytes()), "\r\n");
}
