#include "setting/setting_options.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "platform/error.h"

namespace tovel {
namespace {

// Records every write; a key in `failing` raises as a settings file that cannot be written does.
class RecordingIni : public IIniFile {
public:
    std::vector<std::string> writes;
    std::map<std::string, std::string> values;  // "section/key" -> stored value
    std::string failing;
    std::string ReadText(const std::string& s, const std::string& k, const std::string& fallback) override {
        const auto it = values.find(s + "/" + k);
        return it == values.end() ? fallback : it->second;
    }
    void WriteText(const std::string& s, const std::string& k, const std::string& v) override {
        if (k == failing) throw Error("C:\\tovel\\tovel.ini に書き込めません");
        writes.push_back(s + "/" + k + "=" + v);
    }
};

TEST(SettingOptions, EditorOptionsWriteImeThenWwAndStopAtAFailure) {
    RecordingIni ini;
    WriteEditorOptions(ini, false, false);
    WriteEditorOptions(ini, true, true);
    WriteToolBitmapPath(ini, "");
    EXPECT_EQ(ini.writes,
              (std::vector<std::string>{"Form/IME=", "Form/WW=", "Form/IME=ON", "Form/WW=NO", "Form/ToolBitmap="}));
    RecordingIni broken;
    broken.failing = "IME";
    EXPECT_THROW(WriteEditorOptions(broken, true, true), Error);
    EXPECT_TRUE(broken.writes.empty()) << "WW stays unwritten";
}

TEST(SettingOptions, EditorOptionsReadByTheStartUpRule) {
    struct Case {
        const char* ime;  // nullptr: the key is absent
        const char* ww;
        bool imeOn, noWrap;
    } cases[] = {
        {"ON", "NO", true, true},   {nullptr, nullptr, false, false}, {"", "", false, false},
        {"on", "no", false, false}, {" ON", "NO ", false, false},     {"ON", "", true, false},
        {"NO", "ON", false, false},
    };
    for (const Case& c : cases) {
        RecordingIni ini;
        if (c.ime) ini.values["Form/IME"] = c.ime;
        if (c.ww) ini.values["Form/WW"] = c.ww;
        const EditorOptions read = ReadEditorOptions(ini);
        EXPECT_EQ(read.imeOnAtStart, c.imeOn) << (c.ime ? c.ime : "absent");
        EXPECT_EQ(read.noWordWrap, c.noWrap) << (c.ww ? c.ww : "absent");
        EXPECT_TRUE(ini.writes.empty());
    }
}

}  // namespace
}  // namespace tovel
