#include "skins/import.h"

#include "common/os.h"
#include "common/text.h"
#include "common/zip_extract.h"
#include "skins/champion.h"
#include "texts.h"
#include "ui.h"

std::string skinNameOfPath(std::string_view path) {
    size_t slash = path.find_last_of("\\/");
    std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    size_t dot = file.find('.');
    return std::string(dot == std::string_view::npos ? std::string_view() : file.substr(0, dot));
}

std::string scratchFolder(const std::string& programDirectory, const std::string& skinName) {
    return programDirectory + "\\Varno\\data\\" + skinName;
}

std::string progressCaption(const std::string& skinName, int percent) {
    return std::string(texts::kCaptionProgress) + skinName + texts::kProgressLoaded + std::to_string(percent);
}

std::vector<std::string> droppedPaths(std::string_view text) {
    std::vector<std::string> paths;
    for (std::string& p : text::split(text, "\r\n")) {
        if (!p.empty()) paths.push_back(std::move(p));
    }
    return paths;
}

bool isZipFileName(std::string_view path) {
    size_t dot = path.rfind('.');
    return dot != std::string_view::npos && text::equalsNoCase(path.substr(dot + 1), "zip");
}

namespace {

bool nameIsListed(SkinList& list, const std::string& name) {
    int rows = list.count();
    for (int i = 0; i < rows; ++i) {
        if (list.cell(i, kColumnName) == name) return true;
    }
    return false;
}

}  // namespace

ImportOutcome importSkinPackage(MounterContext& ctx, const std::string& sourcePath) {
    const std::string name = skinNameOfPath(sourcePath);
    // An empty name, or one holding "[", would give a stored name that reads back as another
    // skin: its row could never be mounted or deleted.
    if (name.empty() || name.find('[') != std::string::npos) {
        std::string file(text::lastPathComponent(sourcePath));
        ctx.ui.message(file + texts::kBadSkinName, texts::kCaptionNotice);
        return ImportOutcome::BadName;
    }
    if (nameIsListed(ctx.list, name)) {
        ctx.ui.message(name + texts::kSkinExists, texts::kCaptionFriendly);
        return ImportOutcome::Clash;
    }

    const std::string& dir = ctx.programDirectory;
    os::createDirectory(dir + "\\data");
    os::createDirectory(dir + "\\Varno");
    os::createDirectory(dir + "\\Varno\\data");
    const std::string scratch = scratchFolder(dir, name);
    // Leftovers of an earlier failed import of the same name must not be detected again.
    os::removeTree(scratch);

    zip::ExtractResult extracted = zip::extractAll(sourcePath, scratch, [&](int percent) {
        os::dispatchPendingMessages();
        ctx.ui.setMainCaption(progressCaption(name, percent));
    });
    if (!extracted.ok()) {
        ctx.ui.message(texts::kNotZip, texts::kCaptionNotice);
        return ImportOutcome::ExtractFailed;
    }

    SkinRow fresh;
    fresh.name = name;
    int row = ctx.list.append(fresh);
    detectChampion(ctx.list, scratch, row);
    if (ctx.list.cell(row, kColumnLabel).empty()) {
        ctx.list.setCell(row, kColumnLabel, texts::kUnknownLabel);
        ctx.list.setIcon(row, kIconGeneric);
    }
    ctx.list.setCell(row, kColumnState, texts::kStateNotMounted);
    ctx.list.setCell(row, kColumnTime, timeText(os::localTime()));
    ctx.list.ensureVisible(row);

    const std::string stored = storedPackagePath(ctx, row);
    bool copied = os::copyFile(sourcePath, stored, true);
    os::removeTree(dir + "\\Varno");
    if (!copied) {
        // A row without its stored package could be neither mounted nor kept: take it back.
        os::deleteFile(stored);
        ctx.list.remove(row);
        ctx.ui.message(name + texts::kStoreFailed, texts::kCaptionNotice);
        return ImportOutcome::StoreFailed;
    }
    ctx.ui.setMainCaption(texts::kCaptionReady);
    return ImportOutcome::Imported;
}
