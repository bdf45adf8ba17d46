// Importing a skin package: name clash check, extraction into the scratch folder with progress
// in the caption, champion detection, a new row, and the package copied byte for byte into the
// store under its stored name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "skins/skin_store.h"

// The file-name part of path (after the last "\" or "/"), cut before its first ".";
// C:\skins\Ahri.Fox.zip gives Ahri, a name without "." gives "".
std::string skinNameOfPath(std::string_view path);

// The scratch folder of an import: program directory + "\Varno\data\" + skin name.
std::string scratchFolder(const std::string& programDirectory, const std::string& skinName);

// The caption shown while a package is extracted.
std::string progressCaption(const std::string& skinName, int percent);

// The paths of a drop: one path, or several each followed by "\r\n". Empty items are dropped.
std::vector<std::string> droppedPaths(std::string_view text);

// True when a dropped file's extension (after its last ".") is "zip" in any letter case.
bool isZipFileName(std::string_view path);

// What an import came to.
enum class ImportOutcome { Imported, BadName, Clash, ExtractFailed, StoreFailed };

// Imports the package at sourcePath: refuses a name that is empty or holds "[" and a name
// already in the list (every row is compared), extracts into the scratch folder, appends and
// fills the row, copies the package into the store and removes the scratch folders. Shows its
// own messages; on any failure no row stays and nothing is stored.
ImportOutcome importSkinPackage(MounterContext& ctx, const std::string& sourcePath);
