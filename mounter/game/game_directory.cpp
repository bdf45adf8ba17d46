#include "game/game_directory.h"

#include "common/text.h"
#include "texts.h"
#include "ui.h"

std::string launchFileOf(const std::string& gameDirectory) {
    return gameDirectory + "\\tcls\\client.exe";
}

bool isGameFolderName(std::string_view path) {
    return text::lastPathComponent(path) == texts::kGameFolderName;
}

void detectGameDirectory(GameRegistry& registry, Config& config, Ui& ui) {
    RegistryValues values = registry.read();
    if (values.installPath.empty()) {
        ui.message(texts::kSetGamePathFirst, texts::kCaptionFriendly);
        std::string chosen = ui.browseForGameFolder();
        if (chosen.empty() || !isGameFolderName(chosen)) {
            ui.message(texts::kGamePathFailed, texts::kCaptionFriendly);
            return;
        }
        config.writeGameDirectory(chosen);
        config.writeLaunchFile(launchFileOf(chosen));
        return;
    }
    // With InstallPath but no setup value nothing is written, so a directory set by hand stays.
    if (values.setup.empty()) return;
    config.writeGameDirectory(values.installPath);
    config.writeLaunchFile(values.setup);
}
