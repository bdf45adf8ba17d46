#include "mount/mount.h"

#include <optional>

#include "common/codepage.h"
#include "common/os.h"
#include "common/text.h"
#include "game/game_directory.h"
#include "mount/client_list.h"
#include "texts.h"
#include "ui.h"

std::string compactClientZips(std::string_view content) {
    std::string out;
    for (const std::string& line : text::split(content, "\r\n")) {
        if (line.empty()) continue;
        out += line;
        out += "\r\n";
    }
    return out;
}

std::vector<std::string> keptClientZipsLines(std::string_view content, std::string_view entry) {
    std::vector<std::string> kept;
    for (std::string& line : text::split(content, "\r\n")) {
        if (line != entry) kept.push_back(std::move(line));
    }
    return kept;
}

namespace {

void tell(MounterContext& ctx, const std::string& textOfMessage) {
    ctx.ui.message(textOfMessage, texts::kCaptionMount);
}

}  // namespace

// The list is handled in the system code page, as the client reads it: lines are compared
// and kept as the bytes they are.
MountOutcome mountSelectedSkin(MounterContext& ctx) {
    int row = ctx.list.selected();
    const std::string name = ctx.list.cell(row, kColumnName);
    if (name.empty()) {
        tell(ctx, texts::kMountSelectFirst);
        return MountOutcome::NoSelection;
    }
    if (ctx.list.cell(row, kColumnState) == texts::kStateMounted) {
        tell(ctx, name + texts::kAlreadyMounted);
        return MountOutcome::AlreadyDone;
    }
    std::optional<std::string> entry = codepage::utf8ToAnsi(mountedEntry(name));
    if (!entry) {
        tell(ctx, name + texts::kMountNameNotAnsi);
        return MountOutcome::Refused;
    }

    const std::string game = ctx.config.readGameDirectory() + "\\Game";
    const std::string list = clientZipsPath(ctx.config.readGameDirectory());
    // The client's own files as they were before the first mount, kept once for good.
    if (!os::isFile(game + "\\ClientZips.dat")) os::copyFile(list, game + "\\ClientZips.dat", false);
    if (!os::isFile(game + "\\ZipContents.dat")) os::copyFile(game + "\\ZipContents.zip", game + "\\ZipContents.dat", false);

    if (!os::isDirectory(game + "\\MYSkins")) os::createDirectory(game + "\\MYSkins");
    std::optional<std::string> content;
    const std::string scratch = game + "\\123.txt";
    bool done = os::copyFile(storedPackagePath(ctx, row), game + "\\MYSkins\\MY" + name + ".zip", true) &&
                (content = os::readFileForUpdate(list)) &&
                os::writeFileDurable(scratch, compactClientZips(*content + "\r\n" + *entry + "\r\n")) &&
                os::replaceFile(scratch, list);
    if (!done) {
        tell(ctx, name + texts::kMountFailed);
        return MountOutcome::Failed;
    }
    tell(ctx, name + texts::kMounted);
    ctx.list.setCell(row, kColumnState, texts::kStateMounted);
    refreshStateHeader(ctx.list);
    return MountOutcome::Done;
}

MountOutcome unmountSelectedSkin(MounterContext& ctx) {
    int row = ctx.list.selected();
    const std::string name = ctx.list.cell(row, kColumnName);
    if (name.empty()) {
        tell(ctx, texts::kUnmountSelectFirst);
        return MountOutcome::NoSelection;
    }
    if (ctx.list.cell(row, kColumnState) == texts::kStateNotMounted) {
        tell(ctx, name + texts::kNotYetMounted);
        return MountOutcome::AlreadyDone;
    }

    const std::string directory = ctx.config.readGameDirectory();
    const std::string list = clientZipsPath(directory);
    // A missing list gives an empty one; a list that exists but cannot be read (held by another
    // program) must not be replaced by an empty one.
    std::string content;
    if (os::isFile(list)) {
        std::optional<std::string> read = os::readFileForUpdate(list);
        if (!read) {
            tell(ctx, name + texts::kUnmountUnreadable);
            refreshStateHeader(ctx.list);
            return MountOutcome::Failed;
        }
        content = *read;
    }
    // A name without a form in the code page cannot stand in the list: nothing to remove then.
    std::string entry = codepage::utf8ToAnsi(mountedEntry(name)).value_or(std::string());
    std::string kept;
    for (const std::string& line : keptClientZipsLines(content, entry)) kept += line + "\r\n";

    const std::string scratch = directory + "\\temp.txt";
    if (!os::writeFileDurable(scratch, kept) || !os::replaceFile(scratch, list)) {
        os::deleteFile(scratch);
        tell(ctx, name + texts::kUnmountFailed);
        refreshStateHeader(ctx.list);
        return MountOutcome::Failed;
    }
    os::deleteFile(directory + "\\Game\\MYSkins\\MY" + name + ".zip");
    ctx.list.setCell(row, kColumnState, texts::kStateNotMounted);
    tell(ctx, name + texts::kUnmounted);
    refreshStateHeader(ctx.list);
    return MountOutcome::Done;
}
