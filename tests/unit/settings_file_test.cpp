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

// A switch is 1 or 0 as an integer setting reads it; anything else, or nothing, is the default either way.
TEST(SettingsFile, SwitchesReadOneAndZeroAndTheDefaultForAnythingElse) {
    struct Row {
        const char* stored;  // nullptr: no such key
        bool whenDefaultOn, whenDefaultOff;
    };
    const Row rows[] = {
        {"1", true, true},    {"0", false, false}, {nullptr, true, false}, {"", true, false},
        {"2", true, false},   {"-1", true, false}, {"yes", true, false},   {"0x1", true, true},
        {" 0", false, false}, {"1 ", true, false}, {"on", true, false},    {"00", false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored ? row.stored : "(none)");
        test::MemoryIni ini;
        if (row.stored) ini.values["Form/StatusBar"] = row.stored;
        EXPECT_EQ(ReadSwitch(ini, "Form", "StatusBar", true), row.whenDefaultOn);
        EXPECT_EQ(ReadSwitch(ini, "Form", "StatusBar", false), row.whenDefaultOff);
    }
    test::MemoryIni ini;
    for (const bool on : {false, true}) {
        WriteInteger(ini, "Form", "StatusBar", on ? 1 : 0);  // as the close writes it
        EXPECT_EQ(ini.values["Form/StatusBar"], on ? "1" : "0");
        EXPECT_EQ(ReadSwitch(ini, "Form", "StatusBar", !on), on);
    }
}

}  // namespace
}  // namespace tovel
