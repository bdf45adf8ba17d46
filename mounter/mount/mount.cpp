#include "mount/mount.h"

#include <optional>

#include "common/codepage.h"
#include "common/os.h"
#include "common/text.h"
#include "game/game_directory.h"
#include "mount/client_list.h"
#include "texts.h"
#include "ui.h"

namespace {

constexpr std::string_view kLineBreak = "\r\n";

// Collects the lines of content that keep(line) accepts, each ended by a line break, as pieces
// of content: neighbouring kept lines that already end in a line break make one piece.
template <typename Keep>
std::vector<std::string_view> keptPieces(std::string_view content, Keep keep) {
    std::vector<std::string_view> pieces;
    size_t runStart = std::string_view::npos;
    size_t at = 0;
    while (at < content.size()) {
        size_t end = content.find(kLineBreak, at);
        bool lastWithoutBreak = end == std::string_view::npos;
        if (lastWithoutBreak) end = content.size();
        std::string_view line = content.substr(at, end - at);
        if (keep(line)) {
            if (runStart == std::string_view::npos) runStart = at;
            if (lastWithoutBreak) {
                pieces.push_back(content.substr(runStart));
                pieces.push_back(kLineBreak);
                runStart = std::string_view::npos;
            }
        } else if (runStart != std::string_view::npos) {
            pieces.push_back(content.substr(runStart, at - runStart));
            runStart = std::string_view::npos;
        }
        at = lastWithoutBreak ? content.size() : end + kLineBreak.size();
    }
    if (runStart != std::string_view::npos) pieces.push_back(content.substr(runStart));
    return pieces;
}

std::string join(const std::vector<std::string_view>& pieces) {
    std::string out;
    for (std::string_view p : pieces) out += p;
    return out;
}

}  // namespace

std::vector<std::string_view> compactClientZipsPieces(std::string_view content) {
    return keptPieces(content, [](std::string_view line) { return !line.empty(); });
}

std::string compactClientZips(std::string_view content) {
    return join(compactClientZipsPieces(content));
}

std::vector<std::string> keptClientZipsLines(std::string_view content, std::string_view entry) {
    std::vector<std::string> kept;
    text::forEachItem(content, kLineBreak, [&](std::string_view line) {
        if (line != entry) kept.emplace_back(line);
    });
    return kept;
}

std::vector<std::string_view> keptClientZipsPieces(std::string_view content, std::string_view entry) {
    return keptPieces(content, [&](std::string_view line) { return line != entry; });
}

namespace {

void tell(MounterContext& ctx, const std::string& textOfMessage) {
    ctx.ui.message(textOfMessage, texts::kCaptionMount);
}

// The selected row and its skin name. Without a selection, or when the row's state already
// says the operation is done (refusedState), the user is told and there is nothing to act on.
struct Selection {
    int row = -1;
    std::string name;
    MountOutcome refusal = MountOutcome::Done;
};

Selection selectedSkin(MounterContext& ctx, const char* noSelection, const char* refusedState, const char* refused) {
    Selection s;
    s.row = ctx.list.selected();
    s.name = ctx.list.cell(s.row, kColumnName);
    if (s.name.empty()) {
        tell(ctx, noSelection);
        s.refusal = MountOutcome::NoSelection;
    } else if (ctx.list.cell(s.row, kColumnState) == refusedState) {
        tell(ctx, s.name + refused);
        s.refusal = MountOutcome::AlreadyDone;
    }
    return s;
}

}  // namespace

// The list is handled in the system code page, as the client reads it: lines are compared
// and kept as the bytes they are.
MountOutcome mountSelectedSkin(MounterContext& ctx) {
    const Selection selection =
        selectedSkin(ctx, texts::kMountSelectFirst, texts::kStateMounted, texts::kAlreadyMounted);
    if (selection.refusal != MountOutcome::Done) return selection.refusal;
    const int row = selection.row;
    const std::string& name = selection.name;
    std::optional<std::string> entry = codepage::utf8ToAnsi(mountedEntry(name));
    if (!entry) {
        tell(ctx, name + texts::kMountNameNotAnsi);
        return MountOutcome::Refused;
    }

    const std::string directory = ctx.config.readGameDirectory();
    const std::string game = directory + "\\Game";
    const std::string list = clientZipsPath(directory);
    // The client's own files as they were before the first mount, kept once for good.
    if (!os::isFile(game + "\\ClientZips.dat")) os::copyFile(list, game + "\\ClientZips.dat", false);
    if (!os::isFile(game + "\\ZipContents.dat")) os::copyFile(game + "\\ZipContents.zip", game + "\\ZipContents.dat", false);

    if (!os::isDirectory(game + "\\MYSkins")) os::createDirectory(game + "\\MYSkins");
    std::optional<os::FileView> content;
    const std::string scratch = game + "\\123.txt";
    bool done = os::copyFile(storedPackagePath(ctx, row), game + "\\MYSkins\\MY" + name + ".zip", true) &&
                (content = os::FileView::openForUpdate(list));
    if (done) {
        // The list without empty lines, then the entry on a line of its own.
        std::vector<std::string_view> pieces = compactClientZipsPieces(content->bytes());
        pieces.push_back(*entry);
        pieces.push_back(kLineBreak);
        done = os::writeFileDurable(scratch, pieces);
        content.reset();  // the list cannot be replaced while it is mapped
        done = done && os::replaceFile(scratch, list);
    }
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
    const Selection selection =
        selectedSkin(ctx, texts::kUnmountSelectFirst, texts::kStateNotMounted, texts::kNotYetMounted);
    if (selection.refusal != MountOutcome::Done) return selection.refusal;
    const int row = selection.row;
    const std::string& name = selection.name;

    const std::string directory = ctx.config.readGameDirectory();
    const std::string list = clientZipsPath(directory);
    // A missing list gives an empty one; a list that exists but cannot be read (held by another
    // program) must not be replaced by an empty one.
    std::optional<os::FileView> content;
    if (os::isFile(list)) {
        content = os::FileView::openForUpdate(list);
        if (!content) {
            tell(ctx, name + texts::kUnmountUnreadable);
            refreshStateHeader(ctx.list);
            return MountOutcome::Failed;
        }
    }
    // A name without a form in the code page cannot stand in the list: nothing to remove then.
    std::string entry = codepage::utf8ToAnsi(mountedEntry(name)).value_or(std::string());
    std::vector<std::string_view> kept = keptClientZipsPieces(content ? content->bytes() : std::string_view(), entry);

    const std::string scratch = directory + "\\temp.txt";
    bool written = os::writeFileDurable(scratch, kept);
    content.reset();  // the list cannot be replaced while it is mapped
    if (!written || !os::replaceFile(scratch, list)) {
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
