#include "AboutBox/system_info_rules.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace tovel {
namespace {

// Account names are far shorter; the cap only keeps a misbehaving answer from growing the buffer forever.
constexpr std::uint32_t kLargestUserNameBuffer = 32768;
constexpr int kNameTries = 8;

std::string UpToNul(const char* bytes, std::size_t size) {
    const void* nul = std::memchr(bytes, '\0', size);
    return std::string(bytes, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : size);
}

}  // namespace

std::string ServicePackText(const char* field, std::size_t size) { return UpToNul(field, size); }

OsVersionRecord WithRealNumbers(OsVersionRecord reported, const std::optional<RealVersion>& real) {
    if (real && real->major != 0) {
        reported.major = real->major;
        reported.minor = real->minor;
        reported.build = real->build;
    }
    return reported;
}

std::string VersionText(const OsVersionRecord& r) {
    return std::to_string(r.major) + "." + std::to_string(r.minor) + "." + std::to_string(r.build) + "  " +
           r.servicePack;
}

std::string SystemName(const OsVersionRecord& r) {
    struct Row {
        std::uint32_t major, minor;
        const char* name;
    };
    static constexpr Row kTable[] = {
        {4, 0, "Windows 95"},   {4, 10, "Windows 98"}, {4, 90, "Windows Me"},
        {5, 0, "Windows 2000"}, {5, 1, "Windows XP"},  {6, 0, "Windows Vista"},
        {6, 1, "Windows 7"},    {6, 2, "Windows 8"},   {6, 3, "Windows 8.1"},
    };
    for (const Row& row : kTable) {
        if (row.major == r.major && row.minor == r.minor) return row.name;
    }
    if (r.major == 10 && r.minor == 0) return r.build >= 22000 ? "Windows 11" : "Windows 10";
    return "Old Windows";
}

std::string LoginName(const NameQuery& query) {
    std::uint32_t size = kFirstUserNameBuffer;
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        std::vector<char> buffer(size, '\0');
        std::uint32_t answered = size;
        const NameAnswer answer = query(buffer.data(), answered);
        if (answer == NameAnswer::Ok) {
            const std::string name = UpToNul(buffer.data(), buffer.size());
            return name.empty() ? kUnknownUserName : name;
        }
        if (answer == NameAnswer::Failed || size >= kLargestUserNameBuffer) break;
        // Some systems report no needed size: then the buffer doubles.
        size = std::min(kLargestUserNameBuffer, std::max(answered, size * 2));
    }
    return kUnknownUserName;
}

}  // namespace tovel
