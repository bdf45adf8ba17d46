#include "zip_source.h"

#include <windows.h>

#include "iowin32.h"
#include "win/wide.h"

namespace zip {

ArchiveSource::ArchiveSource(const std::string& path) : wide_(win::widen(path)) {
    fill_win32_filefunc64W(&functions_);
}

const void* ArchiveSource::path() const {
    return wide_.c_str();
}

}  // namespace zip
