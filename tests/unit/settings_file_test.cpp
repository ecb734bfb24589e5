#include "setting/settings_file.h"

#include <gtest/gtest.h>

#include <map>

namespace tovel {
namespace {

class MemoryIni : public IIniFile {
public:
    std::map<std::string, std::string> values;
    std::string ReadText(const std::string& s, const std::string& k, const std::string& fallback) override {
        auto it = values.find(s + "/" + k);
        return it == values.end() ? fallback : it->second;
    }
    void WriteText(const std::string& s, const std::string& k, const std::string& v) override {
        values[s + "/" + k] = v;
    }
};

TEST(SettingsFile, IntegersRoundTripAsSignedDecimal) {
    MemoryIni ini;
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
