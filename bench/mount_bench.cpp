// Mount then unmount one package with the program's own code (the same the mounter runs), in a
// program directory and game folder made here, and print how long each took.
//
//   mount_bench PACKAGE WORK_FOLDER LINES
//
// WORK_FOLDER must be empty or missing; it receives the store (with PACKAGE copied into it, not
// timed) and a game folder whose Game\ClientZips.txt holds LINES lines before the mount.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/os.h"
#include "mount/mount.h"
#include "support/fakes.h"

namespace {

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: mount_bench PACKAGE WORK_FOLDER LINES\n");
        return 2;
    }
    namespace fs = std::filesystem;
    const std::string package = argv[1];
    const std::string work = fs::absolute(argv[2]).string();
    const int lines = std::stoi(argv[3]);

    fs::create_directories(work + "/data");
    fs::create_directories(work + "/英雄联盟/Game");
    const std::string time = "2026年12月11日";
    fs::copy_file(package, work + "/data/Bench[" + time + "[Ahri[.zip", fs::copy_options::overwrite_existing);
    std::string list;
    for (int i = 0; i < lines; ++i) list += "DATA\\FINAL\\Champions\\Champion" + std::to_string(i) + ".wad.client\r\n";
    os::writeFile(work + "/英雄联盟/Game/ClientZips.txt", list);

    TableSkinList skins;
    skins.append(SkinRow{"Bench", "未挂载", "Ahri", time, 1});
    skins.selection = 0;
    ScriptedUi ui;
    MemoryConfig config;
    config.gameDirectory = work + "/英雄联盟";
    FixedRegistry registry;
    MounterContext ctx{work, skins, ui, config, registry};

    auto start = std::chrono::steady_clock::now();
    MountOutcome mounted = mountSelectedSkin(ctx);
    double mountSeconds = seconds(start);
    start = std::chrono::steady_clock::now();
    MountOutcome unmounted = unmountSelectedSkin(ctx);
    double unmountSeconds = seconds(start);
    if (mounted != MountOutcome::Done || unmounted != MountOutcome::Done) {
        std::fprintf(stderr, "mount_bench: the mount or the unmount failed: %s\n",
                     ui.shown.empty() ? "" : ui.shown.back().text.c_str());
        return 1;
    }
    std::printf("%.3f %.3f\n", mountSeconds, unmountSeconds);
    return 0;
}
