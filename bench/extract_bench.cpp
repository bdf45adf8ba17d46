// extract_bench ARCHIVE EMPTY_FOLDER
//
// Extracts a skin package the way the program imports one, then tells its champion as the
// program does, and prints the label, its icon, the speed over the uncompressed bytes and the
// process's peak memory. Exits 1 when the archive is refused, printing why.
#include <sys/resource.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "common/zip_extract.h"
#include "skins/champion.h"

namespace {

const char* errorName(zip::ExtractError e) {
    switch (e) {
        case zip::ExtractError::None: return "None";
        case zip::ExtractError::CannotOpen: return "CannotOpen";
        case zip::ExtractError::NotZip: return "NotZip";
        case zip::ExtractError::UnsafeName: return "UnsafeName";
        case zip::ExtractError::Link: return "Link";
        case zip::ExtractError::Encrypted: return "Encrypted";
        case zip::ExtractError::Unsupported: return "Unsupported";
        case zip::ExtractError::Corrupt: return "Corrupt";
        case zip::ExtractError::NoSpace: return "NoSpace";
        case zip::ExtractError::WriteFailed: return "WriteFailed";
    }
    return "?";
}

// The bytes of every regular file below folder: what extraction wrote.
uint64_t bytesBelow(const std::string& folder) {
    uint64_t total = 0;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
        if (e.is_regular_file()) total += e.file_size();
    }
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: extract_bench ARCHIVE EMPTY_FOLDER\n");
        return 2;
    }
    std::string archive = argv[1], folder = argv[2];

    auto start = std::chrono::steady_clock::now();
    int lastPercent = -1;
    zip::ExtractResult r = zip::extractAll(archive, folder, [&](int p) { lastPercent = p; });
    auto extracted = std::chrono::steady_clock::now();
    if (!r.ok()) {
        std::printf("refused: %s %s\n", errorName(r.error), r.member.c_str());
        return 1;
    }
    std::optional<std::string> label = detectLabel(folder);
    auto detected = std::chrono::steady_clock::now();

    std::string shown = label && !label->empty() ? *label : "未知";
    double extractSeconds = std::chrono::duration<double>(extracted - start).count();
    double detectSeconds = std::chrono::duration<double>(detected - extracted).count();
    double megabytes = static_cast<double>(bytesBelow(folder)) / (1024.0 * 1024.0);
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);

    std::printf("label %s\n", shown.c_str());
    std::printf("icon %d\n", iconForLabel(shown));
    std::printf("extracted %.1f MB in %.3f s: %.0f MB/s (last progress %d)\n", megabytes, extractSeconds,
                megabytes / extractSeconds, lastPercent);
    std::printf("detection %.3f s\n", detectSeconds);
    std::printf("peak memory %.1f MB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
