#include "document/recovery_record.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "document/document_state.h"
#include "document/recovery_journal.h"
#include "platform/path_parts.h"

namespace tovel {
namespace {

// The layouts, oldest first. The first two had no stamp line; the first had a simpler checksum. The fourth
// is still written for a whole copy.
constexpr std::string_view kMagicV1 = "tovel recovery 1\r\n";
constexpr std::string_view kMagicV2 = "tovel recovery 2\r\n";
constexpr std::string_view kMagicV3 = "tovel recovery 3\r\n";
constexpr std::string_view kMagicV4 = "tovel recovery 4\r\n";
// The layout with a journal: the text is a base followed by its journal, and the size has a fixed width, so that
// the header of a copy written in parts takes the same room whatever the size turns out to be.
constexpr std::string_view kMagic = "tovel recovery 5\r\n";
constexpr int kSizeDigits = 16;

// The format as one header value: "<encoding> <bom|nobom> <crlf|lf|cr|mixed>".
constexpr std::string_view kEncodingTokens[] = {"sjis", "utf8", "utf16le", "utf16be", "eucjp", "jis"};
constexpr std::string_view kBreakTokens[] = {"crlf", "lf", "cr", "mixed"};

std::string FormatToken(const TextFormat& f) {
    std::string out(kEncodingTokens[static_cast<int>(f.encoding)]);
    out.append(f.bom ? " bom " : " nobom ").append(kBreakTokens[static_cast<int>(f.lineBreak)]);
    return out;
}

std::optional<TextFormat> ParseFormatToken(std::string_view token) {
    for (int e = 0; e < 6; ++e) {
        for (const bool bom : {false, true}) {
            for (int b = 0; b < 4; ++b) {
                const TextFormat f{static_cast<Encoding>(e), bom, static_cast<LineBreak>(b)};
                if (FormatToken(f) == token) return f;
            }
        }
    }
    return std::nullopt;
}

// Reads "key: value\r\n" at pos; false when the line is not that key.
bool ReadField(std::string_view bytes, std::size_t& pos, std::string_view key, std::string& value) {
    if (bytes.substr(pos, key.size()) != key || bytes.substr(pos + key.size(), 2) != ": ") return false;
    const std::size_t start = pos + key.size() + 2;
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string_view::npos) return false;
    value = std::string(bytes.substr(start, end - start));
    pos = end + 2;
    return true;
}

bool ParseUnsigned(const std::string& text, int base, std::uint64_t& value) {
    if (text.empty() || text.size() > 16) return false;
    value = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        if (digit < 0 || digit >= base) return false;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    }
    return true;
}

// The checksum of the first layout, kept only to read its copies.
std::uint64_t ChecksumV1(std::string_view bytes, std::uint64_t seed) {
    constexpr std::uint64_t kPrime = 0x100000001B3ull, kMix = 0x9E3779B97F4A7C15ull;
    std::uint64_t h = seed ^ (0xCBF29CE484222325ull + bytes.size() * kMix);
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, 8);
        h = (h ^ word) * kPrime;
        h ^= h >> 29;
    }
    for (; i < bytes.size(); ++i) h = (h ^ static_cast<unsigned char>(bytes[i])) * kPrime;
    h ^= h >> 32;
    h *= kMix;
    return h ^ (h >> 29);
}

}  // namespace

namespace {

// Four independent lanes of 8 bytes, so the multiplications overlap instead of waiting on each other; the
// lanes, the length and the tail are folded together at the end.
constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull, kMul2 = 0xC2B2AE3D27D4EB4Full;

inline std::uint64_t Mix(std::uint64_t h, std::uint64_t word) {
    h = (h ^ word) * kMul2;
    return h ^ (h >> 31);
}

void StartLanes(std::uint64_t lane[4], std::uint64_t seed) {
    lane[0] = seed ^ 0xCBF29CE484222325ull;
    lane[1] = seed + kMul;
    lane[2] = seed ^ kMul2;
    lane[3] = seed - kMul;
}

// Mixes the whole 32-byte blocks of p[0, size); answers the bytes taken.
std::size_t MixBlocks(std::uint64_t lane[4], const char* p, std::size_t size) {
    const std::size_t whole = size - size % 32;
    for (std::size_t at = 0; at < whole; at += 32) {
        for (int i = 0; i < 4; ++i) {
            std::uint64_t word;
            std::memcpy(&word, p + at + 8 * i, 8);
            lane[i] = Mix(lane[i], word);
        }
    }
    return whole;
}

std::uint64_t Fold(const std::uint64_t lane[4], std::uint64_t size, const char* tail, std::size_t tailSize) {
    std::uint64_t h = size * kMul;
    for (int i = 0; i < 4; ++i) h = Mix(h * kMul, lane[i]);
    for (std::size_t i = 0; i < tailSize; ++i) h = Mix(h, static_cast<unsigned char>(tail[i]));
    h ^= h >> 32;
    h *= kMul;
    return h ^ (h >> 29);
}

}  // namespace

std::uint64_t Checksum(std::string_view bytes, std::uint64_t seed) {
    std::uint64_t lane[4];
    StartLanes(lane, seed);
    const std::size_t whole = MixBlocks(lane, bytes.data(), bytes.size());
    return Fold(lane, bytes.size(), bytes.data() + whole, bytes.size() - whole);
}

RunningChecksum::RunningChecksum(std::uint64_t seed) { StartLanes(m_lane, seed); }

void RunningChecksum::Add(std::string_view bytes) {
    m_size += bytes.size();
    if (m_held > 0) {
        const std::size_t taken = std::min(bytes.size(), sizeof m_block - m_held);
        std::memcpy(m_block + m_held, bytes.data(), taken);
        m_held += taken;
        bytes.remove_prefix(taken);
        if (m_held < sizeof m_block) return;
        MixBlocks(m_lane, m_block, sizeof m_block);
        m_held = 0;
    }
    const std::size_t whole = MixBlocks(m_lane, bytes.data(), bytes.size());
    m_held = bytes.size() - whole;
    std::memcpy(m_block, bytes.data() + whole, m_held);
}

std::uint64_t RunningChecksum::Value() const { return Fold(m_lane, m_size, m_block, m_held); }

namespace {

std::uint64_t RecordChecksumV3(std::string_view name, std::string_view fullPath, std::string_view stamp,
                               std::string_view text) {
    return Checksum(text, Checksum(stamp, Checksum(fullPath, Checksum(name))));
}

std::uint64_t RecordChecksum(std::string_view name, std::string_view fullPath, std::string_view stamp,
                             std::string_view format, std::string_view text) {
    return Checksum(text, Checksum(format, Checksum(stamp, Checksum(fullPath, Checksum(name)))));
}

}  // namespace

std::uint64_t RecoveryTextSeed(std::string_view name, std::string_view fullPath, std::string_view stamp,
                               const TextFormat& format) {
    return Checksum(FormatToken(format), Checksum(stamp, Checksum(fullPath, Checksum(name))));
}

std::string EncodeRecoveryHeader(std::string_view name, std::string_view fullPath, std::string_view stamp,
                                 std::uint64_t textSize, std::uint64_t checksum, const TextFormat& format) {
    char size[32], sum[24];
    std::snprintf(size, sizeof size, "%0*llu", kSizeDigits, static_cast<unsigned long long>(textSize));
    std::snprintf(sum, sizeof sum, "%016llx", static_cast<unsigned long long>(checksum));
    std::string out(kMagic);
    out.append("name: ").append(name).append("\r\n");
    out.append("path: ").append(fullPath).append("\r\n");
    out.append("stamp: ").append(stamp).append("\r\n");
    out.append("format: ").append(FormatToken(format)).append("\r\n");
    out.append("size: ").append(size).append("\r\n");
    out.append("checksum: ").append(sum).append("\r\n\r\n");
    return out;
}

std::string EncodeRecoveryHeader(std::string_view name, std::string_view fullPath, std::string_view stamp,
                                 std::string_view text, const TextFormat& format) {
    const std::string token = FormatToken(format);
    char checksum[24];
    std::snprintf(checksum, sizeof checksum, "%016llx",
                  static_cast<unsigned long long>(RecordChecksum(name, fullPath, stamp, token, text)));
    std::string out(kMagicV4);
    out.append("name: ").append(name).append("\r\n");
    out.append("path: ").append(fullPath).append("\r\n");
    out.append("stamp: ").append(stamp).append("\r\n");
    out.append("format: ").append(token).append("\r\n");
    out.append("size: ").append(std::to_string(text.size())).append("\r\n");
    out.append("checksum: ").append(checksum).append("\r\n\r\n");
    return out;
}

std::string EncodeRecovery(const RecoveryRecord& r) {
    return EncodeRecoveryHeader(r.name, r.fullPath, r.stamp.value_or(""), r.text, r.format) + r.text;
}

std::optional<RecoveryRecord> DecodeRecovery(std::string_view bytes) {
    const std::string_view magic = bytes.substr(0, kMagic.size());
    const int layout = magic == kMagic     ? 5
                       : magic == kMagicV4 ? 4
                       : magic == kMagicV3 ? 3
                       : magic == kMagicV2 ? 2
                       : magic == kMagicV1 ? 1
                                           : 0;
    if (layout == 0) return std::nullopt;
    std::size_t pos = kMagic.size();
    RecoveryRecord r;
    std::string stamp, format, size, checksum;
    if (!ReadField(bytes, pos, "name", r.name) || !ReadField(bytes, pos, "path", r.fullPath) ||
        (layout >= 3 && !ReadField(bytes, pos, "stamp", stamp)) ||
        (layout >= 4 && !ReadField(bytes, pos, "format", format)) || !ReadField(bytes, pos, "size", size) ||
        !ReadField(bytes, pos, "checksum", checksum) || bytes.substr(pos, 2) != "\r\n") {
        return std::nullopt;
    }
    pos += 2;
    std::uint64_t length = 0, sum = 0;
    if (!ParseUnsigned(size, 10, length) || !ParseUnsigned(checksum, 16, sum) || checksum.size() != 16)
        return std::nullopt;
    // Up to the fifth layout the text is all that follows; from it on, the base, then its journal.
    if (layout < 5 ? bytes.size() - pos != length : bytes.size() - pos < length) return std::nullopt;
    r.text = std::string(bytes.substr(pos, length));
    std::uint64_t expected = 0;
    switch (layout) {
        case 1:
            expected = ChecksumV1(r.text, ChecksumV1(r.fullPath, ChecksumV1(r.name, 0)));
            break;
        case 2:
            expected = Checksum(r.text, Checksum(r.fullPath, Checksum(r.name)));
            break;
        case 3:
            expected = RecordChecksumV3(r.name, r.fullPath, stamp, r.text);
            break;
        default:
            expected = RecordChecksum(r.name, r.fullPath, stamp, format, r.text);
            break;
    }
    if (expected != sum) return std::nullopt;
    if (layout >= 5) ReplayJournal(r.text, bytes.substr(pos + length), sum);
    if (layout >= 4) {
        const std::optional<TextFormat> parsed = ParseFormatToken(format);
        if (!parsed) return std::nullopt;
        r.format = *parsed;
    }
    if (layout >= 3) {
        r.stamp = std::move(stamp);
    } else {
        r.stamp.reset();
    }
    return r;
}

bool NameMatchesPath(const RecoveryRecord& record, const LeadByteTable& leadBytes) {
    if (record.fullPath.empty()) return record.name == kUntitledName;
    if (record.name.empty() || record.name == kUntitledName) return false;
    const std::string& path = record.fullPath;
    const bool drive = path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':' && path[2] == '\\';
    const bool share = path.size() >= 3 && path[0] == '\\' && path[1] == '\\';
    if (!drive && !share) return false;  // Save would resolve it against whatever folder is current
    // The caption may show the name as typed on the command line, folders and all ("..\memo.txt"); its
    // last part must still be the file Save writes.
    const std::string last = NamePart(path, leadBytes);
    return !last.empty() && NamePart(record.name, leadBytes) == last;
}

}  // namespace tovel
