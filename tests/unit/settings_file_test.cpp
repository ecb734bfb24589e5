#include "setting/settings_file.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/unit/fakes.h"

namespace tovel {
namespace {

TEST(SettingsFile, IntegersRoundTripAsSignedDecimal) {
    test::MemoryIni ini;
    WriteInteger(ini, "Form", "Note.Color", static_cast<std::int32_t>(0x80000005u));
    EXPECT_EQ(ini.values["Form/Note.Color"], "-2147483643");
    EXPECT_EQ(ReadInteger(ini, "Form", "Note.Color", 0), static_cast<std::int32_t>(0x80000005u));
    EXPECT_EQ(ReadInteger(ini, "Form", "Left", 258), 258);
    ini.values["Form/Left"] = "0x64";
    EXPECT_EQ(ReadInteger(ini, "Form", "Left", 258), 100);
    ini.values["Form/Left"] = "100px";
    EXPECT_EQ(ReadInteger(ini, "Form", "Left", 258), 258);
}

}  // namespace
}  // namespace tovel
