// Extraction of a whole zip archive into a folder, the only archive operation the programs use.
//
// Every member is written below the target folder with its folders; an entry name flagged
// UTF-8 (general-purpose bit 11) is UTF-8, any other name is code page 936 and is converted
// here. Progress is reported as whole-number percentages of the uncompressed bytes. CRCs are
// checked, and memory does not grow with the archive.
//
// A hostile archive is refused before anything is written outside the target folder: names
// with ".." components, absolute, drive or UNC paths, device names (CON, NUL, COM1 ...),
// characters Windows does not allow in a file name, and entries that are links. Encrypted,
// truncated or corrupted members fail as well, and so does an archive whose uncompressed size
// would not fit on the disk.
#pragma once

#include <functional>
#include <string>

namespace zip {

enum class ExtractError {
    None,
    CannotOpen,      // the archive file cannot be opened
    NotZip,          // no zip structure found
    UnsafeName,      // a member would land outside the folder, or its name is not allowed
    Link,            // a member is a symbolic link
    Encrypted,       // a member is encrypted
    Unsupported,     // a compression method other than stored or deflated
    Corrupt,         // truncated data, a bad CRC, a size that does not match
    NoSpace,         // the uncompressed members would not fit on the disk
    WriteFailed,     // a file or folder below the target could not be written
};

struct ExtractResult {
    ExtractError error = ExtractError::None;
    std::string member;  // the member the error concerns, when there is one (UTF-8)
    bool ok() const { return error == ExtractError::None; }
};

// Extracts every member of the archive at archivePath into folder (created when missing,
// with its parents). progress receives 0..100, never decreasing, on the calling thread.
ExtractResult extractAll(const std::string& archivePath, const std::string& folder,
                         const std::function<void(int percent)>& progress = {});

}  // namespace zip
