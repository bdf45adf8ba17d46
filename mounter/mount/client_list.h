// The game client's archive list, game directory + "\Game\ClientZips.txt": one relative archive
// path per line, "\r\n" line ends, in the system code page. A mounted skin stands in it as the
// line "MYSkins\MY" + skin name + ".zip".
#pragma once

#include <string>
#include <vector>

std::string clientZipsPath(const std::string& gameDirectory);

// The line that names a mounted skin.
std::string mountedEntry(const std::string& skinName);

// The lines of ClientZips.txt as UTF-8 (split at "\r\n": an empty line between two line
// breaks is kept, a final line break adds none). The file is opened for reading and writing
// with sharing, as the client may hold it open; when it cannot be opened so (missing,
// read-only, locked) there are no lines.
std::vector<std::string> readClientZipsLines(const std::string& gameDirectory);
