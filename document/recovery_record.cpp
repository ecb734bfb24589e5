#include "document/recovery_record.h"

#include <cstdio>
#include <cstring>

namespace tovel {
namespace {

constexpr std::string_view kMagic = "tovel recovery 2\r\n";

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
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (digit < 0 || digit >= base) return false;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    }
    return true;
}

}  // namespace

std::uint64_t Checksum(std::string_view bytes, std::uint64_t seed) {
    // Four independent lanes of 8 bytes, so the multiplications overlap instead of waiting on each
    // other; the lanes and the tail are folded together at the end.
    constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull, kMul2 = 0xC2B2AE3D27D4EB4Full;
    std::uint64_t lane[4] = {seed ^ 0xCBF29CE484222325ull, seed + kMul, seed ^ kMul2, seed - kMul};
    auto mix = [](std::uint64_t h, std::uint64_t word) {
        h = (h ^ word) * kMul2;
        return h ^ (h >> 31);
    };
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    for (; left >= 32; p += 32, left -= 32) {
        for (int i = 0; i < 4; ++i) {
            std::uint64_t word;
            std::memcpy(&word, p + 8 * i, 8);
            lane[i] = mix(lane[i], word);
        }
    }
    std::uint64_t h = bytes.size() * kMul;
    for (std::uint64_t l : lane) h = mix(h * kMul, l);
    for (; left > 0; ++p, --left) h = mix(h, static_cast<unsigned char>(*p));
    h ^= h >> 32;
    h *= kMul;
    return h ^ (h >> 29);
}

namespace {

std::uint64_t RecordChecksum(std::string_view name, std::string_view fullPath, std::string_view text) {
    return Checksum(text, Checksum(fullPath, Checksum(name)));
}

}  // namespace

std::string EncodeRecoveryHeader(std::string_view name, std::string_view fullPath, std::string_view text) {
    char checksum[24];
    std::snprintf(checksum, sizeof checksum, "%016llx",
                  static_cast<unsigned long long>(RecordChecksum(name, fullPath, text)));
    std::string out(kMagic);
    out.append("name: ").append(name).append("\r\n");
    out.append("path: ").append(fullPath).append("\r\n");
    out.append("size: ").append(std::to_string(text.size())).append("\r\n");
    out.append("checksum: ").append(checksum).append("\r\n\r\n");
    return out;
}

std::string EncodeRecovery(const RecoveryRecord& r) { return EncodeRecoveryHeader(r.name, r.fullPath, r.text) + r.text; }

std::optional<RecoveryRecord> DecodeRecovery(std::string_view bytes) {
    if (bytes.substr(0, kMagic.size()) != kMagic) return std::nullopt;
    std::size_t pos = kMagic.size();
    RecoveryRecord r;
    std::string size, checksum;
    if (!ReadField(bytes, pos, "name", r.name) || !ReadField(bytes, pos, "path", r.fullPath) ||
        !ReadField(bytes, pos, "size", size) || !ReadField(bytes, pos, "checksum", checksum) ||
        bytes.substr(pos, 2) != "\r\n") {
        return std::nullopt;
    }
    pos += 2;
    std::uint64_t length = 0, sum = 0;
    if (!ParseUnsigned(size, 10, length) || !ParseUnsigned(checksum, 16, sum) || checksum.size() != 16) return std::nullopt;
    if (bytes.size() - pos != length) return std::nullopt;
    r.text = std::string(bytes.substr(pos));
    if (RecordChecksum(r.name, r.fullPath, r.text) != sum) return std::nullopt;
    return r;
}

}  // namespace tovel
