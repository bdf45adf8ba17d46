// The parts of the OS port that are the same everywhere.
#include "os.h"

#include <atomic>
#include <utility>

namespace os {

bool isRootPath(const std::string& path) {
    std::string p = path;
    while (!p.empty() && (p.back() == '\\' || p.back() == '/')) p.pop_back();
    if (p.empty()) return true;
    // "C:" or a UNC share root "\\server\share".
    if (p.size() == 2 && p[1] == ':') return true;
    if (p.size() > 2 && (p.compare(0, 2, "\\\\") == 0 || p.compare(0, 2, "//") == 0)) {
        size_t slashes = 0;
        for (size_t i = 2; i < p.size(); ++i) {
            if (p[i] == '\\' || p[i] == '/') ++slashes;
        }
        return slashes <= 1;
    }
    return false;
}

FileView::FileView(FileView&& other) noexcept
    : data_(other.data_), size_(other.size_), file_(other.file_), mapping_(other.mapping_) {
    other.data_ = nullptr;
    other.size_ = 0;
    other.file_ = -1;
    other.mapping_ = -1;
}

FileView& FileView::operator=(FileView&& other) noexcept {
    if (this != &other) {
        release();
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(file_, other.file_);
        std::swap(mapping_, other.mapping_);
    }
    return *this;
}

FileView::~FileView() {
    release();
}

namespace faults {
namespace {
std::atomic<int> gFailAt{0};
std::atomic<int> gCount{0};
}  // namespace

void failOperation(int n) {
    gCount = 0;
    gFailAt = n;
}

int operations() {
    return gCount;
}

bool injected() {
    int n = ++gCount;
    return gFailAt != 0 && n == gFailAt;
}

}  // namespace faults

}  // namespace os
