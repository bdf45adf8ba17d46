#include "zip_source.h"

#include "posix_path.h"

namespace zip {

ArchiveSource::ArchiveSource(const std::string& path) : narrow_(posixPath(path)) {
    fill_fopen64_filefunc(&functions_);
}

const void* ArchiveSource::path() const {
    return narrow_.c_str();
}

}  // namespace zip
