// Champion detection: which champion (or ward, or the game interface) a skin package changes,
// told from the file names of its extracted contents. No file is opened.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class SkinList;

// The 123 champion names, in icon order (Aatrox 0 ... Zyra 122).
extern const char* const kChampionNames[123];
constexpr int kIconGeneric = 123;  // 未知, 游戏界面, and an empty label
constexpr int kIconWard = 124;     // 眼位
constexpr int kIconCount = 125;

// True when the file name contains one of the fragments that mark a skin asset (loading-screen
// picture, texture, skeleton, interface atlas), ASCII letters compared without case.
bool isTriggerFileName(std::string_view fileName);

// The label of the first row of the label table whose fragment the name contains (ASCII case
// ignored): 眼位 for wards, 游戏界面 for the interface atlas, else the champion's name as the
// table spells it; nullopt when no row matches. A name containing "Viktor" is labelled Viktor,
// though "Vi" stands before it in the table.
std::optional<std::string> labelForFileName(std::string_view fileName);

// The image-list index for a label (compared after lower-casing ASCII letters), or -1 when the
// label matches no entry, which leaves a row's icon as it is.
int iconForLabel(std::string_view label);

// Walks folder depth-first in file-system order. In each folder the files come first: the
// first trigger file ends that folder's walk (no later file and no subfolder of it is looked
// at) and, when its name has a label, that label replaces the one found so far; only when no
// file triggers are the subfolders walked, so a later sibling's match overwrites an earlier
// one. Pending window messages are dispatched before every file and folder. Returns nullopt
// when nothing triggered anywhere, else the label as it stands at the end ("" when the
// trigger files had none).
std::optional<std::string> detectLabel(const std::string& folder);

// detectLabel over folder, applied to a row: sets its label cell and its icon.
void detectChampion(SkinList& list, const std::string& folder, int row);
