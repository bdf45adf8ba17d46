// The skin store: program directory + "\data\", one zip file per skin, named
//
//     name "[" time "[" label "[.zip"          e.g. Ahri_Fox[2015年3月8日14时5分9秒[Ahri[.zip
//
// The file name is the only record of a skin: the list is rebuilt from the names at start-up,
// and each row's mounted state is read back from the game client's Game\ClientZips.txt.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/os.h"
#include "skins/skin_list.h"

class Config;
class GameRegistry;
class Ui;

// The services the skin operations work through.
struct MounterContext {
    std::string programDirectory;
    SkinList& list;
    Ui& ui;
    Config& config;
    GameRegistry& registry;
};

// "%d年%d月%d日" then "%d时%d分%d秒", "%d时%d分" or "%d时" as far as the time is not 0, nothing at
// midnight; no leading zeros.
std::string timeText(const os::LocalTime& t);

// The stored file name for a skin.
std::string storedFileName(const std::string& name, const std::string& time, const std::string& label);

// Name, time and label of a stored file name (split at "["), or nullopt for a name of fewer
// than three parts, which no import writes (a file copied in by hand): such a row could never
// be mounted or deleted, so it is not listed. "a[b[c[.zip" gives a, b, c.
std::optional<SkinRow> parseStoredName(std::string_view fileName);

// "状态[" mounted "\" total "]".
std::string stateTitle(int mounted, int total);

// Empties the list, runs the game-directory detection, then lists the store with each row's
// state read from one read of Game\ClientZips.txt: "已挂载" / "未挂载", or "" for every row when
// the file gave no lines. Window messages are dispatched after each file and before each row.
void refreshSkinList(MounterContext& ctx);

// Recounts the rows whose state is neither "未挂载" nor empty and sets the state column's title.
void refreshStateHeader(SkinList& list);

// program directory + "\data\" + the file name rebuilt from the row's cells.
std::string storedPackagePath(MounterContext& ctx, int row);
