#include "zip_writer.h"

#include <zlib.h>

#include <stdexcept>

namespace ziptest {
namespace {

void put16(std::string& out, uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void put64(std::string& out, uint64_t v) {
    put32(out, static_cast<uint32_t>(v));
    put32(out, static_cast<uint32_t>(v >> 32));
}

constexpr uint32_t kMax32 = 0xFFFFFFFF;

}  // namespace

std::string deflateRaw(std::string_view data) {
    z_stream z{};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2");
    }
    std::string out(deflateBound(&z, static_cast<uLong>(data.size())), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    int r = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    if (r != Z_STREAM_END) throw std::runtime_error("deflate");
    return out;
}

// Layout written, little-endian:
//   local header     50 4B 03 04, version needed, flags, method, time, date, CRC, compressed size,
//                    uncompressed size, name length, extra length, name, extra
//   data
//   ... for each member, then the central directory:
//   central record   50 4B 01 02, version made by, version needed, flags, method, time, date, CRC,
//                    compressed size, uncompressed size, name length, extra length, comment length,
//                    disk, internal attributes, external attributes, local header offset, name, extra
//   end record       50 4B 05 06, disk, disk with the directory, entries here, entries, directory
//                    size, directory offset, comment length
// A member whose declared size does not fit in 32 bits gets 0xFFFFFFFF in both size fields and a
// zip64 extra field (id 0x0001) with the uncompressed and compressed sizes, 8 bytes each.
std::string buildZip(const std::vector<Member>& members) {
    std::string out, central;
    for (const Member& m : members) {
        std::string stored = m.compressedBytes ? *m.compressedBytes
                             : m.method == kDeflated ? deflateRaw(m.data)
                                                     : m.data;
        uint32_t crc = m.crc ? *m.crc
                             : static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(m.data.data()),
                                                           static_cast<uInt>(m.data.size())));
        uint64_t size = m.declaredSize ? *m.declaredSize : m.data.size();
        bool zip64 = size >= kMax32 || stored.size() >= kMax32;
        std::string extra;
        if (zip64) {
            put16(extra, 0x0001);
            put16(extra, 16);
            put64(extra, size);
            put64(extra, stored.size());
        }
        uint32_t size32 = zip64 ? kMax32 : static_cast<uint32_t>(size);
        uint32_t stored32 = zip64 ? kMax32 : static_cast<uint32_t>(stored.size());
        uint32_t offset = static_cast<uint32_t>(out.size());
        uint16_t needed = zip64 ? 45 : 20;

        put32(out, 0x04034B50);
        put16(out, needed);
        put16(out, m.flags);
        put16(out, m.method);
        put16(out, 0);       // time
        put16(out, 0x5A21);  // date: 2025-01-01
        put32(out, crc);
        put32(out, stored32);
        put32(out, size32);
        put16(out, static_cast<uint32_t>(m.name.size()));
        put16(out, static_cast<uint32_t>(extra.size()));
        out += m.name;
        out += extra;
        out += stored;

        put32(central, 0x02014B50);
        put16(central, m.madeBy);
        put16(central, needed);
        put16(central, m.flags);
        put16(central, m.method);
        put16(central, 0);
        put16(central, 0x5A21);
        put32(central, crc);
        put32(central, stored32);
        put32(central, size32);
        put16(central, static_cast<uint32_t>(m.name.size()));
        put16(central, static_cast<uint32_t>(extra.size()));
        put16(central, 0);  // comment length
        put16(central, 0);  // disk
        put16(central, 0);  // internal attributes
        put32(central, m.externalAttributes);
        put32(central, offset);
        central += m.name;
        central += extra;
    }
    uint32_t centralOffset = static_cast<uint32_t>(out.size());
    out += central;
    put32(out, 0x06054B50);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<uint32_t>(members.size()));
    put16(out, static_cast<uint32_t>(members.size()));
    put32(out, static_cast<uint32_t>(central.size()));
    put32(out, centralOffset);
    put16(out, 0);
    return out;
}

}  // namespace ziptest
