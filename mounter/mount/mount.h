// Mounting and unmounting the selected skin in the game client: the copy in Game\MYSkins and
// the skin's line in Game\ClientZips.txt.
//
// ClientZips.txt is never absent and never half-written: the new list is written to a scratch
// file (Game\123.txt when mounting, temp.txt in the game directory when unmounting), flushed to
// the disk and put in the place of ClientZips.txt by one atomic replace. A failure at any step
// leaves the old list or the new one, and the row's state says which.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "skins/skin_store.h"

// The client list without empty lines, each line ended by "\r\n", as pieces of content (and
// of literal line breaks): a list of many thousands of lines is rewritten without copying it.
std::vector<std::string_view> compactClientZipsPieces(std::string_view content);
std::string compactClientZips(std::string_view content);

// The lines of content (split at "\r\n", empty lines kept) without every line equal to entry,
// compared byte for byte.
std::vector<std::string> keptClientZipsLines(std::string_view content, std::string_view entry);

// The kept lines as the new list, each ended by "\r\n", as pieces of content.
std::vector<std::string_view> keptClientZipsPieces(std::string_view content, std::string_view entry);

enum class MountOutcome { NoSelection, AlreadyDone, Refused, Failed, Done };

// The handlers of 挂载皮肤 and 取消挂载: they show their own messages and recount the state
// column after a change.
MountOutcome mountSelectedSkin(MounterContext& ctx);
MountOutcome unmountSelectedSkin(MounterContext& ctx);
