#pragma once
// The About box's user and system lines, made from what the system reports. Pure: the Win32 side asks
// the system and hands the answers in.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tovel {

// What an OSVERSIONINFOA record holds, its service-pack text taken up to the first NUL. All zero and
// empty when the system could not be asked.
struct OsVersionRecord {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::string servicePack;
};

// The system's real version numbers (from the kernel, never capped for compatibility).
struct RealVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
};

// The service-pack field of a version record: its bytes up to the first NUL, never beyond `size`.
std::string ServicePackText(const char* field, std::size_t size);

// The reported record with the real numbers put in where the system has them; the service-pack text stays.
OsVersionRecord WithRealNumbers(OsVersionRecord reported, const std::optional<RealVersion>& real);

// "major.minor.build" in unsigned decimal, two blanks, the service-pack text: "5.1.2600  Service Pack 2".
std::string VersionText(const OsVersionRecord& record);

// The system's name by major and minor version (and, for 10.0, the build that starts Windows 11);
// "Old Windows" for anything the table does not know.
std::string SystemName(const OsVersionRecord& record);

inline constexpr const char* kUnknownUserName = "olka tovel user";
inline constexpr std::uint32_t kFirstUserNameBuffer = 33;

// One try at the login name, shaped like GetUserNameA: `size` holds the buffer's size in bytes; on
// success the name is in the buffer, on TooSmall `size` holds the size the name needs.
enum class NameAnswer { Ok, TooSmall, Failed };
using NameQuery = std::function<NameAnswer(char* buffer, std::uint32_t& size)>;

// The whole login name: the buffer starts at 33 bytes and grows as often as the system asks for more
// (within reason); kUnknownUserName when no name can be had.
std::string LoginName(const NameQuery& query);

}  // namespace tovel
