#include "setting/settings_file.h"

#include "platform/integer_rule.h"

namespace tovel {

std::int32_t ReadInteger(IIniFile& ini, const std::string& section, const std::string& key, std::int32_t fallback) {
    return SettingsInteger(ini.ReadText(section, key, ""), fallback);
}

void WriteInteger(IIniFile& ini, const std::string& section, const std::string& key, std::int32_t value) {
    ini.WriteText(section, key, IntegerToText(value));
}

bool ReadSwitch(IIniFile& ini, const std::string& section, const std::string& key, bool fallback) {
    switch (ReadInteger(ini, section, key, -1)) {
        case 0:
            return false;
        case 1:
            return true;
        default:
            return fallback;
    }
}

}  // namespace tovel
