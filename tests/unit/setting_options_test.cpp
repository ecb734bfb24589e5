#include "setting/setting_options.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "platform/error.h"
#include "tests/unit/fakes.h"

namespace tovel {
namespace {

TEST(SettingOptions, EditorOptionsWriteImeThenWwAndStopAtAFailure) {
    test::MemoryIni ini;
    WriteEditorOptions(ini, false, false);
    WriteEditorOptions(ini, true, true);
    WriteToolBitmapPath(ini, "");
    EXPECT_EQ(ini.writes,
              (std::vector<std::string>{"Form/IME=", "Form/WW=", "Form/IME=ON", "Form/WW=NO", "Form/ToolBitmap="}));
    test::MemoryIni broken;
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
        test::MemoryIni ini;
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
