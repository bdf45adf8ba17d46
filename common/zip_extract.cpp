#include "zip_extract.h"

#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string_view>
#include <thread>
#include <vector>

#include "unzip.h"

#include "codepage.h"
#include "file_out.h"
#include "text.h"
#include "zip_source.h"

namespace zip {
namespace {

// Each worker reads the archive and writes files in blocks of these sizes, so memory stays the
// same whatever the size of the archive or of a member. Output blocks stay small enough to be
// still in the cache when they are checksummed and written.
constexpr size_t kReadBlock = 256 * 1024;
constexpr size_t kWriteBlock = 256 * 1024;
constexpr unsigned kMaxWorkers = 4;

// Room taken on the disk beyond a file's bytes: its last cluster is rarely full.
constexpr uint64_t kClusterSlack = 4096;

// What extraction uses of a member's central directory record. minizip parses it; the record,
// little-endian, starting with the signature 50 4B 01 02:
//   +4   version made by     high byte: the host (3 Unix, 19 macOS; their Unix mode is below)
//   +8   flags               bit 0 encrypted, bit 3 CRC and sizes follow the data, bit 11 name in UTF-8
//   +10  method              0 stored, 8 deflated
//   +16  CRC-32 of the uncompressed bytes
//   +20  compressed size, +24 uncompressed size (0xFFFFFFFF: the zip64 extra field holds 8 bytes)
//   +28  name length, +30 extra field length, +32 comment length
//   +38  external attributes low byte MS-DOS attributes (0x10 folder); high 16 bits the Unix
//                            mode when the host is Unix (S_IFLNK 0120000 link, S_IFDIR 0040000)
//   +42  offset of the local header
//   +46  name (raw bytes), extra field, comment
// The local header (50 4B 03 04) repeats method, CRC and sizes and has its own name and extra
// field lengths: minizip checks it against the central record and tells where the data starts.
constexpr uLong kFlagEncrypted = 0x0001;
constexpr uLong kFlagUtf8 = 0x0800;
constexpr uLong kHostUnix = 3;
constexpr uLong kHostMac = 19;
constexpr uLong kUnixTypeMask = 0170000;
constexpr uLong kUnixLink = 0120000;
constexpr uLong kUnixFolder = 0040000;
constexpr uLong kDosFolder = 0x10;

// A member to extract, as checked in the first pass.
struct Member {
    std::string name;      // as the archive spells it, in UTF-8: what errors report
    std::string relative;  // below the target folder, components joined with "\"
    unz64_file_pos position{};
    int method = 0;
    uint32_t crc = 0;
    uint64_t compressedSize = 0;
    uint64_t size = 0;
};

// ---- Names ----

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

// Checks that text is UTF-8 and gives it back with every byte that is not part of a valid
// sequence replaced by U+FFFD, so a report of a bad name is itself valid UTF-8.
bool checkUtf8(std::string_view s, std::string& cleaned) {
    bool valid = true;
    cleaned.clear();
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80                  ? 1
                     : c >= 0xC2 && c <= 0xDF ? 2
                     : c >= 0xE0 && c <= 0xEF ? 3
                     : c >= 0xF0 && c <= 0xF4 ? 4
                                              : 0;
        bool ok = len > 0 && i + len <= s.size();
        for (size_t k = 1; ok && k < len; ++k) ok = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
        if (ok && len >= 3) {
            unsigned char d = static_cast<unsigned char>(s[i + 1]);
            // No overlong forms, no UTF-16 surrogates, nothing above U+10FFFF.
            if (c == 0xE0 && d < 0xA0) ok = false;
            if (c == 0xED && d > 0x9F) ok = false;
            if (c == 0xF0 && d < 0x90) ok = false;
            if (c == 0xF4 && d > 0x8F) ok = false;
        }
        if (!ok) {
            valid = false;
            cleaned += "\xEF\xBF\xBD";
            ++i;
            continue;
        }
        cleaned.append(s.data() + i, len);
        i += len;
    }
    return valid;
}

// A component Windows opens as a device wherever it stands: CON, PRN, AUX, NUL, CONIN$, CONOUT$,
// COM0-9 and LPT0-9 (also with the superscripts ¹ ² ³), ASCII case ignored, whatever follows the
// first dot, and with trailing spaces ignored ("nul .txt" is NUL too).
bool isDeviceName(std::string_view component) {
    std::string_view stem = component.substr(0, component.find('.'));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.')) stem.remove_suffix(1);
    std::string s = text::asciiLower(stem);
    if (s == "con" || s == "prn" || s == "aux" || s == "nul" || s == "conin$" || s == "conout$") return true;
    if (s.size() < 4 || (s.compare(0, 3, "com") != 0 && s.compare(0, 3, "lpt") != 0)) return false;
    std::string_view digit = std::string_view(s).substr(3);
    if (digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9') return true;
    return digit == "\xC2\xB9" || digit == "\xC2\xB2" || digit == "\xC2\xB3";
}

// Whether one name component can be created as it is below the target folder on Windows.
bool isAllowedComponent(std::string_view component) {
    if (component == "..") return false;
    for (char ch : component) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c < 0x20 || std::strchr("<>:\"|?*", ch) != nullptr) return false;
    }
    // Windows drops trailing dots and spaces, so "a." would land on "a" and ".. " on "..".
    if (component.back() == '.' || component.back() == ' ') return false;
    return !isDeviceName(component);
}

struct CheckedName {
    bool ok = false;
    std::string relative;  // components joined with "\"; empty for the archive's own root
};

// The path below the target folder for a member name in UTF-8. Both "/" and "\" separate
// components; "." and empty components between separators are dropped. A name starting with a
// separator ("/x", "\x", "\\server\share") is absolute; ':' (drive paths, "C:x", and stream
// names) and the other characters Windows does not allow in a name are refused, as are ".."
// and device names.
CheckedName checkName(std::string_view name) {
    CheckedName out;
    if (name.empty() || isSeparator(name.front())) return out;
    size_t start = 0;
    while (start < name.size()) {
        size_t end = start;
        while (end < name.size() && !isSeparator(name[end])) ++end;
        std::string_view component = name.substr(start, end - start);
        start = end + 1;
        if (component.empty() || component == ".") continue;
        if (!isAllowedComponent(component)) return out;
        if (!out.relative.empty()) out.relative += '\\';
        out.relative.append(component.data(), component.size());
    }
    out.ok = true;
    return out;
}

// The key under which two paths land on one file on Windows, whose file names ignore case.
std::string pathKey(const std::string& relative) {
    return text::asciiLower(relative);
}

// ---- The first pass over the central directory ----

uint64_t addSaturating(uint64_t a, uint64_t b) {
    return a > UINT64_MAX - b ? UINT64_MAX : a + b;
}

struct Plan {
    std::vector<Member> members;                 // files, in archive order
    std::vector<std::vector<size_t>> jobs;       // members that share one path go to one job
    std::vector<std::pair<std::string, std::string>> folders;  // relative path, member needing it
    uint64_t total = 0;                          // declared bytes of all files
    uint64_t diskNeed = 0;                       // the same with each file's last cluster
};

struct ArchiveCloser {
    void operator()(void* handle) const { unzClose(handle); }
};
using Archive = std::unique_ptr<void, ArchiveCloser>;

Archive openArchive(const ArchiveSource& source) {
    zlib_filefunc64_def functions = source.functions();
    return Archive(unzOpen2_64(source.path(), &functions));
}

// A plain read stream over the archive through minizip's file functions, for member data: it
// reads in large blocks where minizip's own reading goes in 16 KB steps.
class DataStream {
public:
    explicit DataStream(const ArchiveSource& source) : functions_(source.functions()) {
        stream_ = functions_.zopen64_file(functions_.opaque, source.path(),
                                          ZLIB_FILEFUNC_MODE_READ | ZLIB_FILEFUNC_MODE_EXISTING);
    }
    ~DataStream() {
        if (stream_) functions_.zclose_file(functions_.opaque, stream_);
    }
    DataStream(const DataStream&) = delete;
    DataStream& operator=(const DataStream&) = delete;

    bool isOpen() const { return stream_ != nullptr; }
    bool seek(uint64_t offset) {
        return functions_.zseek64_file(functions_.opaque, stream_, offset, ZLIB_FILEFUNC_SEEK_SET) == 0;
    }
    // True when all size bytes were read.
    bool read(void* buffer, size_t size) {
        return functions_.zread_file(functions_.opaque, stream_, buffer, static_cast<uLong>(size)) == size;
    }

private:
    zlib_filefunc64_def functions_;
    voidpf stream_ = nullptr;
};

ExtractResult failure(ExtractError error, std::string member = std::string()) {
    return ExtractResult{error, std::move(member)};
}

// Why an archive that minizip cannot open is refused: a file that starts as a zip but has lost
// its central directory was cut short; anything else is not a zip at all.
ExtractResult whyNotOpened(const ArchiveSource& source) {
    DataStream stream(source);
    if (!stream.isOpen()) return failure(ExtractError::CannotOpen);
    unsigned char head[4] = {};
    if (stream.read(head, sizeof head) && std::memcmp(head, "PK\x03\x04", 4) == 0) {
        return failure(ExtractError::Corrupt);
    }
    return failure(ExtractError::NotZip);
}

// Reads every central record, checks every name and flag, and plans the work. Nothing is
// written: a hostile archive is refused here, whole.
ExtractResult planExtraction(unzFile archive, Plan& plan) {
    std::vector<char> rawName(65536);
    std::map<std::string, size_t> jobOfFile;                    // path key -> job
    std::vector<std::pair<std::string, std::string>> fileKeys;  // path key, member name
    std::set<std::string> folderKeys;

    auto addFolder = [&](const std::string& relative, const std::string& member) {
        // The folder and its parents, parents first.
        for (size_t i = 0; i <= relative.size(); ++i) {
            if (i < relative.size() && relative[i] != '\\') continue;
            std::string prefix = relative.substr(0, i);
            std::string key = pathKey(prefix);
            if (!folderKeys.insert(key).second) continue;
            plan.folders.emplace_back(prefix, member);
        }
    };

    int err = unzGoToFirstFile(archive);
    for (; err == UNZ_OK; err = unzGoToNextFile(archive)) {
        unz_file_info64 info;
        if (unzGetCurrentFileInfo64(archive, &info, rawName.data(), static_cast<uLong>(rawName.size()), nullptr, 0,
                                    nullptr, 0) != UNZ_OK) {
            return failure(ExtractError::Corrupt);
        }
        std::string_view raw(rawName.data(), std::min<size_t>(info.size_filename, rawName.size()));

        // The name's bytes become UTF-8 here, at the edge: flagged names already are.
        std::string name;
        bool nameValid = true;
        if (info.flag & kFlagUtf8) {
            nameValid = checkUtf8(raw, name);
        } else {
            name = codepage::ansiToUtf8(raw);
        }

        uLong host = info.version >> 8;
        uLong unixType = (info.external_fa >> 16) & kUnixTypeMask;
        bool unixHost = host == kHostUnix || host == kHostMac;
        if (unixHost && unixType == kUnixLink) return failure(ExtractError::Link, name);

        CheckedName checked = checkName(name);
        if (!nameValid || !checked.ok) return failure(ExtractError::UnsafeName, name);
        if (info.flag & kFlagEncrypted) return failure(ExtractError::Encrypted, name);

        bool folder = isSeparator(name.back()) ||
                      (info.uncompressed_size == 0 &&
                       ((info.external_fa & kDosFolder) || (unixHost && unixType == kUnixFolder)));
        if (folder) {
            if (!checked.relative.empty()) addFolder(checked.relative, name);
            continue;
        }
        // A file needs a name of its own: "a/." would be the target folder itself.
        if (checked.relative.empty()) return failure(ExtractError::UnsafeName, name);
        if (info.compression_method != 0 && info.compression_method != Z_DEFLATED) {
            return failure(ExtractError::Unsupported, name);
        }

        Member m;
        m.name = name;
        m.relative = checked.relative;
        m.method = static_cast<int>(info.compression_method);
        m.crc = static_cast<uint32_t>(info.crc);
        m.compressedSize = info.compressed_size;
        m.size = info.uncompressed_size;
        if (unzGetFilePos64(archive, &m.position) != UNZ_OK) return failure(ExtractError::Corrupt, name);

        // Saturating: declared sizes are the archive's word, and may be absurd.
        plan.total = addSaturating(plan.total, m.size);
        plan.diskNeed = addSaturating(plan.diskNeed, addSaturating(m.size, kClusterSlack));

        size_t parentEnd = m.relative.rfind('\\');
        if (parentEnd != std::string::npos) addFolder(m.relative.substr(0, parentEnd), name);

        // Members with the same path are written one after the other by one worker, so the last
        // one wins as it would extracting in order, and two workers never write one file.
        std::string key = pathKey(m.relative);
        auto [it, isNew] = jobOfFile.emplace(key, plan.jobs.size());
        if (isNew) plan.jobs.emplace_back();
        plan.jobs[it->second].push_back(plan.members.size());
        fileKeys.emplace_back(key, name);
        plan.members.push_back(std::move(m));
    }
    if (err != UNZ_END_OF_LIST_OF_FILE) return failure(ExtractError::Corrupt);

    // A name that is a file for one member and a folder for another cannot be both.
    for (const auto& [key, member] : fileKeys) {
        if (folderKeys.count(key)) return failure(ExtractError::UnsafeName, member);
    }
    return ExtractResult{};
}

// ---- Workers ----

// What the workers share. The calling thread reports progress from it.
struct Shared {
    explicit Shared(const Plan& p, const std::string& f) : plan(p), folder(f) {}

    const Plan& plan;
    const std::string& folder;
    std::mutex mutex;
    std::condition_variable changed;  // the percentage changed, or a helper ended
    uint64_t done = 0;                // bytes written, under mutex
    std::atomic<int> percent{0};      // done as a whole percentage, at most 99 until the end
    unsigned helpersRunning = 0;      // under mutex
    ExtractResult result;             // the first failure, under mutex
    std::atomic<bool> stop{false};    // set with the first failure: the others stop early
    std::atomic<size_t> nextJob{0};

    // Counts bytes written; true when the percentage moved.
    bool add(uint64_t bytes) {
        std::lock_guard<std::mutex> lock(mutex);
        done += bytes;
        uint64_t total = plan.total;
        uint64_t p = done <= UINT64_MAX / 100 ? done * 100 / total : done / (total / 100);
        int now = static_cast<int>(std::min<uint64_t>(p, 99));
        if (now == percent.load()) return false;
        percent = now;
        return true;
    }

    void fail(ExtractError error, const std::string& member) {
        std::lock_guard<std::mutex> lock(mutex);
        if (result.ok()) result = failure(error, member);
        stop = true;
    }
};

// The calling thread's view of progress: each whole percentage at most once, never decreasing.
class Reporter {
public:
    explicit Reporter(const std::function<void(int)>& progress) : progress_(progress) {}
    int last() const { return last_; }
    void report(int percent) {
        if (percent <= last_) return;
        last_ = percent;
        if (progress_) progress_(percent);
    }

private:
    const std::function<void(int)>& progress_;
    int last_ = -1;
};

// Extracts whole jobs, taken in archive order from the shared counter, with its own archive
// handle, data stream, inflate state and buffers.
class Worker {
public:
    Worker(const ArchiveSource& source, Shared& shared)
        : shared_(shared), archive_(openArchive(source)), data_(source), in_(new unsigned char[kReadBlock]),
          out_(new unsigned char[kWriteBlock]) {
        inflateReady_ = inflateInit2(&z_, -MAX_WBITS) == Z_OK;
    }
    ~Worker() {
        if (inflateReady_) inflateEnd(&z_);
    }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    bool isReady() const { return archive_ && data_.isOpen() && inflateReady_; }

    // reporter is set on the calling thread only: it reports progress between blocks.
    void run(Reporter* reporter) {
        reporter_ = reporter;
        const Plan& plan = shared_.plan;
        while (!shared_.stop) {
            size_t job = shared_.nextJob.fetch_add(1);
            if (job >= plan.jobs.size()) return;
            for (size_t index : plan.jobs[job]) {
                const Member& m = plan.members[index];
                ExtractError error = extract(m);
                if (error != ExtractError::None) {
                    shared_.fail(error, m.name);
                    return;
                }
            }
        }
    }

private:
    ExtractError extract(const Member& m) {
        // minizip finds the record again, checks the local header against it and tells where
        // the data starts; the data itself is read through this worker's own stream.
        unz64_file_pos position = m.position;
        if (unzGoToFilePos64(archive_.get(), &position) != UNZ_OK) return ExtractError::Corrupt;
        if (unzOpenCurrentFile2(archive_.get(), nullptr, nullptr, 1) != UNZ_OK) return ExtractError::Corrupt;
        uint64_t start = unzGetCurrentFileZStreamPos64(archive_.get());
        unzCloseCurrentFile(archive_.get());
        if (!data_.seek(start)) return ExtractError::Corrupt;

        fileout::Writer file;
        if (!file.open(shared_.folder + "\\" + m.relative)) return ExtractError::WriteFailed;
        ExtractError error = m.method == 0 ? copyStored(m, file) : inflateMember(m, file);
        if (error != ExtractError::None) return error;
        return file.close() ? ExtractError::None : ExtractError::WriteFailed;
    }

    ExtractError copyStored(const Member& m, fileout::Writer& file) {
        if (m.compressedSize != m.size) return ExtractError::Corrupt;
        uLong crc = crc32(0, nullptr, 0);
        for (uint64_t left = m.size; left > 0;) {
            if (shared_.stop) return ExtractError::WriteFailed;  // dropped: another member failed first
            size_t n = static_cast<size_t>(std::min<uint64_t>(left, kReadBlock));
            if (!data_.read(in_.get(), n)) return ExtractError::Corrupt;
            crc = crc32(crc, in_.get(), static_cast<uInt>(n));
            if (!file.write(in_.get(), n)) return ExtractError::WriteFailed;
            left -= n;
            progressed(n);
        }
        return crc == m.crc ? ExtractError::None : ExtractError::Corrupt;
    }

    // The data is a raw deflate stream that must end exactly where the declared compressed size
    // ends, giving exactly the declared size. Output past the declared size is never written.
    ExtractError inflateMember(const Member& m, fileout::Writer& file) {
        // Some writers give an empty file no deflate stream at all.
        if (m.compressedSize == 0 && m.size == 0) return m.crc == 0 ? ExtractError::None : ExtractError::Corrupt;
        if (inflateReset(&z_) != Z_OK) return ExtractError::Corrupt;
        uLong crc = crc32(0, nullptr, 0);
        uint64_t unread = m.compressedSize;
        uint64_t written = 0;
        z_.avail_in = 0;
        for (;;) {
            if (shared_.stop) return ExtractError::WriteFailed;  // dropped: another member failed first
            if (z_.avail_in == 0 && unread > 0) {
                size_t n = static_cast<size_t>(std::min<uint64_t>(unread, kReadBlock));
                if (!data_.read(in_.get(), n)) return ExtractError::Corrupt;
                z_.next_in = in_.get();
                z_.avail_in = static_cast<uInt>(n);
                unread -= n;
            }
            z_.next_out = out_.get();
            z_.avail_out = static_cast<uInt>(kWriteBlock);
            int r = inflate(&z_, Z_NO_FLUSH);
            if (r != Z_OK && r != Z_STREAM_END && r != Z_BUF_ERROR) return ExtractError::Corrupt;
            size_t produced = kWriteBlock - z_.avail_out;
            if (produced > m.size - written) return ExtractError::Corrupt;
            if (produced > 0) {
                crc = crc32(crc, out_.get(), static_cast<uInt>(produced));
                if (!file.write(out_.get(), produced)) return ExtractError::WriteFailed;
                written += produced;
                progressed(produced);
            }
            if (r == Z_STREAM_END) break;
            // All input taken and room left over, yet no end: the stream was cut short.
            if (z_.avail_in == 0 && unread == 0 && z_.avail_out != 0) return ExtractError::Corrupt;
        }
        if (written != m.size || z_.avail_in != 0 || unread != 0 || crc != m.crc) return ExtractError::Corrupt;
        return ExtractError::None;
    }

    void progressed(uint64_t bytes) {
        bool moved = shared_.add(bytes);
        if (reporter_) {
            reporter_->report(shared_.percent);
        } else if (moved) {
            shared_.changed.notify_one();
        }
    }

    Shared& shared_;
    Archive archive_;
    DataStream data_;
    std::unique_ptr<unsigned char[]> in_, out_;
    z_stream z_{};
    bool inflateReady_ = false;
    Reporter* reporter_ = nullptr;
};

std::string withoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1 && isSeparator(folder.back())) folder.pop_back();
    return folder;
}

// Runs the workers: the calling thread is one of them and reports progress; the helpers take
// the other cores. While the helpers finish, the calling thread waits and reports.
ExtractResult runWorkers(const ArchiveSource& source, Shared& shared, Reporter& reporter) {
    unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    size_t count = std::min<size_t>(std::min(cores, kMaxWorkers), std::max<size_t>(1, shared.plan.jobs.size()));

    std::vector<std::unique_ptr<Worker>> workers;
    for (size_t i = 0; i < count; ++i) {
        auto w = std::make_unique<Worker>(source, shared);
        if (!w->isReady()) return failure(ExtractError::CannotOpen);
        workers.push_back(std::move(w));
    }

    std::vector<std::thread> helpers;
    for (size_t i = 1; i < workers.size(); ++i) {
        Worker* w = workers[i].get();
        {
            std::lock_guard<std::mutex> lock(shared.mutex);
            ++shared.helpersRunning;
        }
        try {
            helpers.emplace_back([w, &shared] {
                try {
                    w->run(nullptr);
                } catch (...) {
                    shared.fail(ExtractError::WriteFailed, std::string());
                }
                std::lock_guard<std::mutex> lock(shared.mutex);
                --shared.helpersRunning;
                shared.changed.notify_one();
            });
        } catch (...) {
            // No thread to spare: the remaining workers take its share.
            std::lock_guard<std::mutex> lock(shared.mutex);
            --shared.helpersRunning;
        }
    }

    try {
        workers[0]->run(&reporter);
    } catch (...) {
        shared.fail(ExtractError::WriteFailed, std::string());
    }

    std::unique_lock<std::mutex> lock(shared.mutex);
    while (shared.helpersRunning > 0) {
        int percent = shared.percent;
        if (percent > reporter.last()) {
            lock.unlock();
            reporter.report(percent);
            lock.lock();
            continue;
        }
        shared.changed.wait(lock);
    }
    lock.unlock();
    for (std::thread& t : helpers) t.join();
    return shared.result;
}

}  // namespace

ExtractResult extractAll(const std::string& archivePath, const std::string& folder,
                         const std::function<void(int percent)>& progress) {
    ArchiveSource source(archivePath);
    Plan plan;
    {
        Archive archive = openArchive(source);
        if (!archive) return whyNotOpened(source);
        ExtractResult planned = planExtraction(archive.get(), plan);
        if (!planned.ok()) return planned;
    }

    std::string target = withoutTrailingSeparators(folder);
    if (!fileout::createFolders(target)) return failure(ExtractError::WriteFailed);
    // Every member's output is held to its declared size, so the declared sizes bound what
    // extraction can put on the disk.
    std::optional<uint64_t> available = fileout::freeSpace(target);
    if (available && plan.diskNeed > *available) return failure(ExtractError::NoSpace);
    for (const auto& [relative, member] : plan.folders) {
        if (!fileout::createFolders(target + "\\" + relative)) return failure(ExtractError::WriteFailed, member);
    }

    Reporter reporter(progress);
    reporter.report(0);
    if (!plan.jobs.empty()) {
        Shared shared(plan, target);
        ExtractResult result = runWorkers(source, shared, reporter);
        if (!result.ok()) return result;
    }
    reporter.report(100);
    return ExtractResult{};
}

}  // namespace zip
