// Builds zip archives in memory for the extraction tests, with every field under the test's
// control: raw name bytes, flags, method, host and external attributes, CRC and sizes, so that
// well-formed and hostile archives alike are made in the test that uses them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ziptest {

constexpr uint16_t kStored = 0;
constexpr uint16_t kDeflated = 8;
constexpr uint16_t kFlagEncrypted = 0x0001;
constexpr uint16_t kFlagUtf8 = 0x0800;
constexpr uint16_t kMadeByDos = 0x0014;   // host 0 (MS-DOS), version 2.0
constexpr uint16_t kMadeByUnix = 0x0314;  // host 3 (Unix), version 2.0

struct Member {
    std::string name;  // raw bytes, as they go into the headers
    std::string data;  // the uncompressed content
    uint16_t method = kDeflated;
    uint16_t flags = 0;
    uint16_t madeBy = kMadeByDos;
    uint32_t externalAttributes = 0;
    // Overrides of what the headers declare; by default the true values.
    std::optional<uint32_t> crc;
    std::optional<uint64_t> declaredSize;        // uncompressed; zip64 fields when >= 0xFFFFFFFF
    std::optional<std::string> compressedBytes;  // the bytes stored as the member's data
};

// The raw deflate stream (no zlib header) of data.
std::string deflateRaw(std::string_view data);

// A whole archive: each member's local header and data, then the central directory and its end
// record. Members with method other than stored or deflated keep their data as it is.
std::string buildZip(const std::vector<Member>& members);

}  // namespace ziptest
