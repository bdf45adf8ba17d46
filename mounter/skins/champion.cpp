#include "skins/champion.h"

#include <vector>

#include "common/os.h"
#include "common/text.h"
#include "skins/skin_list.h"

const char* const kChampionNames[123] = {
    "Aatrox",     "Ahri",        "Akali",       "Alistar",      "Amumu",      "Anivia",     "Annie",
    "Ashe",       "Azir",        "Blitzcrank",  "Brand",        "Braum",      "Caitlyn",    "Cassiopeia",
    "Chogath",    "Corki",       "Darius",      "Diana",        "Draven",     "DrMundo",    "Elise",
    "Evelynn",    "Ezreal",      "Fiddlesticks", "Fiora",       "Fizz",       "Galio",      "Gangplank",
    "Garen",      "Gnar",        "Gragas",      "Graves",       "Hecarim",    "Heimerdinger", "Irelia",
    "Janna",      "JarvanIV",    "Jax",         "Jayce",        "Jinx",       "Kalista",    "Karma",
    "Karthus",    "Kassadin",    "Katarina",    "Kayle",        "Kennen",     "Khazix",     "KogMaw",
    "Leblanc",    "LeeSin",      "Leona",       "Lissandra",    "Lucian",     "Lulu",       "Lux",
    "Malphite",   "Malzahar",    "Maokai",      "MasterYi",     "MissFortune", "MonkeyKing", "Mordekaiser",
    "Morgana",    "Nami",        "Nasus",       "Nautilus",     "Nidalee",    "Nocturne",   "Nunu",
    "Olaf",       "Orianna",     "Pantheon",    "Poppy",        "Quinn",      "Rammus",     "RekSai",
    "Renekton",   "Rengar",      "Riven",       "Rumble",       "Ryze",       "Sejuani",    "Shaco",
    "Shen",       "Shyvana",     "Singed",      "Sion",         "Sivir",      "Skarner",    "Sona",
    "Soraka",     "Swain",       "Syndra",      "Talon",        "Taric",      "Teemo",      "Thresh",
    "Tristana",   "Trundle",     "Tryndamere",  "TwistedFate",  "Twitch",     "Udyr",       "Urgot",
    "Varus",      "Vayne",       "Veigar",      "VelKoz",       "Vi",         "Viktor",     "Vladimir",
    "Volibear",   "Warwick",     "Xerath",      "XinZhao",      "Yasuo",      "Yorick",     "Zac",
    "Zed",        "Ziggs",       "Zilean",      "Zyra",
};

namespace {

const char* const kTriggerFragments[] = {
    "loadscreen.dds.dds", "loadscreen.dds", "_bass_tx_cm.dds", ".skl", "hudatlas.dds", "_tx_cm.dds",
};

const char kWard[] = "眼位";
const char kInterface[] = "游戏界面";
const char kUnknown[] = "未知";

struct LabelRow {
    std::string fragment;
    std::string label;
};

// The label table: the ward and interface rows, then every champion labelled with its own
// name. Viktor is tried just before Vi: every name containing Viktor also contains Vi, so in
// table order no file could ever be labelled Viktor.
const std::vector<LabelRow>& labelTable() {
    static const std::vector<LabelRow> table = [] {
        std::vector<LabelRow> rows = {{"SightWard", kWard}, {"hudatlas", kInterface}, {"VisionWard.", kWard}};
        for (const char* name : kChampionNames) {
            if (std::string_view(name) == "Vi") rows.push_back({"Viktor", "Viktor"});
            if (std::string_view(name) == "Viktor") continue;
            rows.push_back({name, name});
        }
        return rows;
    }();
    return table;
}

void walk(const std::string& folder, std::optional<std::string>& label) {
    std::string base = folder;
    if (base.empty() || base.back() != '\\') base += '\\';
    std::vector<os::DirEntry> entries = os::listEntries(base);
    for (const os::DirEntry& e : entries) {
        if (e.isDirectory) continue;
        os::dispatchPendingMessages();
        if (!isTriggerFileName(e.name)) continue;
        std::optional<std::string> found = labelForFileName(e.name);
        if (found) {
            label = *found;
        } else if (!label) {
            label = std::string();
        }
        return;
    }
    for (const os::DirEntry& e : entries) {
        if (!e.isDirectory) continue;
        os::dispatchPendingMessages();
        if (text::endsWith(e.name, ".")) continue;
        walk(base + e.name, label);
    }
}

}  // namespace

bool isTriggerFileName(std::string_view fileName) {
    for (const char* fragment : kTriggerFragments) {
        if (text::findNoCase(fileName, fragment) != text::npos) return true;
    }
    return false;
}

std::optional<std::string> labelForFileName(std::string_view fileName) {
    for (const LabelRow& row : labelTable()) {
        if (text::findNoCase(fileName, row.fragment) != text::npos) return row.label;
    }
    return std::nullopt;
}

int iconForLabel(std::string_view label) {
    for (int i = 0; i < 123; ++i) {
        if (text::equalsNoCase(label, kChampionNames[i])) return i;
    }
    if (label.empty() || label == kUnknown || label == kInterface) return kIconGeneric;
    if (label == kWard) return kIconWard;
    return -1;
}

std::optional<std::string> detectLabel(const std::string& folder) {
    std::optional<std::string> label;
    walk(folder, label);
    return label;
}

void detectChampion(SkinList& list, const std::string& folder, int row) {
    std::optional<std::string> label = detectLabel(folder);
    if (!label) return;
    if (!label->empty()) list.setCell(row, kColumnLabel, *label);
    int icon = iconForLabel(list.cell(row, kColumnLabel));
    if (icon >= 0) list.setIcon(row, icon);
}
