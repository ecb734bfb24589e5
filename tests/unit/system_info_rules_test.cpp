#include "AboutBox/system_info_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace tovel {
namespace {

struct SystemCase {
    OsVersionRecord record;
    const char* version;
    const char* name;
};

TEST(SystemInfo, VersionTextAndNameFromTheRecord) {
    const SystemCase cases[] = {
        {{5, 0, 2195, "Service Pack 4"}, "5.0.2195  Service Pack 4", "Windows 2000"},
        {{5, 1, 2600, "Service Pack 2"}, "5.1.2600  Service Pack 2", "Windows XP"},
        // Windows 98 and Me repeat the version in the build field's high word: printed whole.
        {{4, 10, 67766222, " A "}, "4.10.67766222   A ", "Windows 98"},
        {{4, 90, 73010104, ""}, "4.90.73010104  ", "Windows Me"},
        {{4, 0, 1381, "Service Pack 6"}, "4.0.1381  Service Pack 6", "Windows 95"},
        {{6, 0, 6002, "Service Pack 2"}, "6.0.6002  Service Pack 2", "Windows Vista"},
        {{6, 1, 7601, "Service Pack 1"}, "6.1.7601  Service Pack 1", "Windows 7"},
        {{6, 2, 9200, ""}, "6.2.9200  ", "Windows 8"},
        {{6, 3, 9600, ""}, "6.3.9600  ", "Windows 8.1"},
        {{10, 0, 19045, ""}, "10.0.19045  ", "Windows 10"},
        {{10, 0, 22000, ""}, "10.0.22000  ", "Windows 11"},
        {{10, 0, 22631, ""}, "10.0.22631  ", "Windows 11"},
        {{5, 2, 3790, ""}, "5.2.3790  ", "Old Windows"},
        {{3, 51, 1057, ""}, "3.51.1057  ", "Old Windows"},
        {{4294967295u, 0, 4294967295u, ""}, "4294967295.0.4294967295  ", "Old Windows"},
        {{}, "0.0.0  ", "Old Windows"},  // the system could not be asked
    };
    for (const SystemCase& c : cases) {
        EXPECT_EQ(VersionText(c.record), c.version);
        EXPECT_EQ(SystemName(c.record), c.name) << c.version;
    }
}

TEST(SystemInfo, RealNumbersReplaceCappedOnesAndTheServicePackStays) {
    const OsVersionRecord capped{6, 2, 9200, "kept"};
    const OsVersionRecord real = WithRealNumbers(capped, RealVersion{10, 0, 22631});
    EXPECT_EQ(VersionText(real), "10.0.22631  kept");
    EXPECT_EQ(SystemName(real), "Windows 11");
    EXPECT_EQ(VersionText(WithRealNumbers(capped, std::nullopt)), "6.2.9200  kept");
    EXPECT_EQ(VersionText(WithRealNumbers(capped, RealVersion{})), "6.2.9200  kept") << "a failed real query";

    char field[128];
    std::memset(field, 'x', sizeof field);
    EXPECT_EQ(ServicePackText(field, sizeof field), std::string(128, 'x')) << "no NUL: never read past the field";
    std::strcpy(field, "Service Pack 3");
    EXPECT_EQ(ServicePackText(field, sizeof field), "Service Pack 3");
}

// Answers like GetUserNameA for an account called `name`; records the buffer sizes it was offered.
struct FakeAccount {
    std::string name;
    bool reportsNeededSize = true;
    bool fails = false;
    std::vector<std::uint32_t> offered;
    NameQuery Query() {
        return [this](char* buffer, std::uint32_t& size) {
            offered.push_back(size);
            if (fails) return NameAnswer::Failed;
            if (size < name.size() + 1) {
                if (reportsNeededSize) size = static_cast<std::uint32_t>(name.size() + 1);
                return NameAnswer::TooSmall;
            }
            std::memcpy(buffer, name.c_str(), name.size() + 1);
            size = static_cast<std::uint32_t>(name.size() + 1);
            return NameAnswer::Ok;
        };
    }
};

TEST(SystemInfo, LoginNameIsShownWholeHoweverLong) {
    const std::string longName(100, 'b');
    const struct {
        FakeAccount account;
        std::string shown;
        std::vector<std::uint32_t> offered;  // checked when not empty
    } cases[] = {
        {{"yamada"}, "yamada", {33}},
        {{std::string(32, 'a')}, std::string(32, 'a'), {33}},  // 32 bytes and the NUL fit the first buffer
        {{longName}, longName, {33, 101}},
        {{longName, false}, longName, {33, 66, 132}},  // no needed size reported: the buffer doubles
        {{"never", true, true}, kUnknownUserName, {33}},
        {{""}, kUnknownUserName, {}},
        {{std::string(100000, 'd')}, kUnknownUserName, {}},  // the growth has an end
    };
    for (auto c : cases) {
        EXPECT_EQ(LoginName(c.account.Query()), c.shown);
        if (!c.offered.empty()) {
            EXPECT_EQ(c.account.offered, c.offered) << c.shown;
        }
    }
}

}  // namespace
}  // namespace tovel
