#include "document/recovery_record.h"

#include <cstdio>
#include <cstring>

namespace tovel {
namespace {

constexpr std::string_view kMagic = "tovel recovery 1\r\n";

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

namespace {

std::uint64_t RecordChecksum(const RecoveryRecord& r) {
    return Checksum(r.text, Checksum(r.fullPath, Checksum(r.name)));
}

}  // namespace

std::string EncodeRecovery(const RecoveryRecord& r) {
    char checksum[24];
    std::snprintf(checksum, sizeof checksum, "%016llx", static_cast<unsigned long long>(RecordChecksum(r)));
    std::string out;
    out.reserve(r.text.size() + r.name.size() + r.fullPath.size() + 128);
    out += kMagic;
    out += "name: " + r.name + "\r\n";
    out += "path: " + r.fullPath + "\r\n";
    out += "size: " + std::to_string(r.text.size()) + "\r\n";
    out += "checksum: " + std::string(checksum) + "\r\n\r\n";
    out += r.text;
    return out;
}

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
    if (RecordChecksum(r) != sum) return std::nullopt;
    return r;
}

}  // namespace tovel
