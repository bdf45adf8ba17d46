#include "temp_dir.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

std::filesystem::path fsPath(const std::string& utf8Path) {
    std::string p = utf8Path;
#ifndef _WIN32
    for (char& c : p) {
        if (c == '\\') c = '/';
    }
#endif
    return fs::u8path(p);
}

static std::string toProgramPath(const fs::path& p) {
    std::string s = p.u8string();
#ifdef _WIN32
    for (char& c : s) {
        if (c == '/') c = '\\';
    }
#endif
    return s;
}

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path p = fs::temp_directory_path() /
                 ("moyu-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(p);
    path_ = toProgramPath(p);
    while (!path_.empty() && (path_.back() == '\\' || path_.back() == '/')) path_.pop_back();
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(fsPath(path_), ec);
}

std::string TempDir::operator/(const std::string& relative) const {
    std::string r = relative;
    for (char& c : r) {
        if (c == '/') c = '\\';
    }
    return path_ + "\\" + r;
}

void TempDir::write(const std::string& relative, const std::string& bytes) const {
    fs::path p = fsPath(*this / relative);
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void TempDir::makeDir(const std::string& relative) const {
    fs::create_directories(fsPath(*this / relative));
}
