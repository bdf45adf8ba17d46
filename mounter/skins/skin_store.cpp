#include "skins/skin_store.h"

#include <algorithm>
#include <vector>

#include "common/text.h"
#include "game/game_directory.h"
#include "mount/client_list.h"
#include "skins/champion.h"
#include "texts.h"

std::string timeText(const os::LocalTime& t) {
    std::string s = std::to_string(t.year) + "年" + std::to_string(t.month) + "月" + std::to_string(t.day) + "日";
    if (t.second != 0) {
        s += std::to_string(t.hour) + "时" + std::to_string(t.minute) + "分" + std::to_string(t.second) + "秒";
    } else if (t.minute != 0) {
        s += std::to_string(t.hour) + "时" + std::to_string(t.minute) + "分";
    } else if (t.hour != 0) {
        s += std::to_string(t.hour) + "时";
    }
    return s;
}

std::string storedFileName(const std::string& name, const std::string& time, const std::string& label) {
    return name + "[" + time + "[" + label + "[.zip";
}

std::optional<SkinRow> parseStoredName(std::string_view fileName) {
    std::vector<std::string> parts = text::split(fileName, "[");
    if (parts.size() < 3) return std::nullopt;
    SkinRow row;
    row.name = parts[0];
    row.time = parts[1];
    row.label = parts[2];
    return row;
}

std::string stateTitle(int mounted, int total) {
    return std::string(texts::kColumnState) + "[" + std::to_string(mounted) + "\\" + std::to_string(total) + "]";
}

void refreshSkinList(MounterContext& ctx) {
    ctx.list.clear();
    detectGameDirectory(ctx.registry, ctx.config, ctx.ui);

    std::vector<std::string> names =
        os::listFiles(ctx.programDirectory + "\\data\\*.zip", [] { os::dispatchPendingMessages(); });
    std::vector<std::string> lines = readClientZipsLines(ctx.config.readGameDirectory());

    for (const std::string& fileName : names) {
        os::dispatchPendingMessages();
        std::optional<SkinRow> row = parseStoredName(fileName);
        if (!row) continue;
        row->icon = iconForLabel(row->label);
        if (!lines.empty()) {
            bool mounted = std::find(lines.begin(), lines.end(), mountedEntry(row->name)) != lines.end();
            row->state = mounted ? texts::kStateMounted : texts::kStateNotMounted;
        }
        ctx.list.append(*row);
    }
}

void refreshStateHeader(SkinList& list) {
    int total = list.count();
    int mounted = 0;
    for (int i = 0; i < total; ++i) {
        os::dispatchPendingMessages();
        std::string state = list.cell(i, kColumnState);
        if (!state.empty() && state != texts::kStateNotMounted) ++mounted;
    }
    list.setStateTitle(stateTitle(mounted, total));
}

std::string storedPackagePath(MounterContext& ctx, int row) {
    return ctx.programDirectory + "\\data\\" +
           storedFileName(ctx.list.cell(row, kColumnName), ctx.list.cell(row, kColumnTime),
                          ctx.list.cell(row, kColumnLabel));
}
