#include "setting/setting_options.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/error.h"

namespace tovel {
namespace {

// Records every write; a key in `failing` raises as a settings file that cannot be written does.
class RecordingIni : public IIniFile {
public:
    std::vector<std::string> writes;
    std::string failing;
    std::string ReadText(const std::string&, const std::string&, const std::string& fallback) override { return fallback; }
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
    EXPECT_EQ(ini.writes, (std::vector<std::string>{"Form/IME=", "Form/WW=", "Form/IME=ON", "Form/WW=NO",
                                                    "Form/ToolBitmap="}));
    RecordingIni broken;
    broken.failing = "IME";
    EXPECT_THROW(WriteEditorOptions(broken, true, true), Error);
    EXPECT_TRUE(broken.writes.empty()) << "WW stays unwritten";
}

}  // namespace
}  // namespace tovel
