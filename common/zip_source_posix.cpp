#include "zip_source.h"

namespace zip {

ArchiveSource::ArchiveSource(const std::string& path) : narrow_(path) {
    fill_fopen64_filefunc(&functions_);
    for (char& c : narrow_) {
        if (c == '\\') c = '/';
    }
}

const void* ArchiveSource::path() const {
    return narrow_.c_str();
}

}  // namespace zip
