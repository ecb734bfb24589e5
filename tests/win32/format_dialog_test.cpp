// The save-format chooser driven by real keys and clicks: it starts on the document's format, a choice
// comes back as a format, and every way out but OK returns nothing.
#include "document/win32/format_dialog.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/win32/application.h"
#include "tests/win32/dialog_answerer.h"

namespace tovel {
namespace {

using test::Act;
using test::DialogAnswerer;

class FormatDialogTest : public testing::Test {
protected:
    Application app{GetModuleHandleA(nullptr)};
    Win32FormatChooser chooser{app};
};

TEST_F(FormatDialogTest, ReturnsWhatTheKeysChoseAndNothingWhenCancelled) {
    using F = TextFormat;
    struct Row {
        const char* name;
        TextFormat current;
        test::Script script;
        std::optional<TextFormat> chosen;
        const char* startsOn;  // the encoding list's text when the dialog comes up
    };
    const Row rows[] = {
        {"Enter keeps the current format",
         {Encoding::Utf8, true, LineBreak::Lf},
         {Act::Enter()},
         F{Encoding::Utf8, true, LineBreak::Lf},
         "UTF-8 (BOM)"},
        {"letters pick the entries",
         {Encoding::ShiftJis, false, LineBreak::CrLf},
         {Act::Type("UU"), Act::Tab(), Act::Type("L"), Act::Enter()},
         F{Encoding::Utf8, true, LineBreak::Lf},
         "Shift_JIS"},
        {"EUC-JP with CR",
         {Encoding::ShiftJis, false, LineBreak::CrLf},
         {Act::Type("E"), Act::Tab(), Act::Type("C"), Act::Click("OK")},
         F{Encoding::EucJp, false, LineBreak::Cr},
         "Shift_JIS"},
        {"UTF-16 is saved with its mark; mixed breaks start on CRLF",
         {Encoding::Utf16Be, false, LineBreak::Mixed},
         {Act::Enter()},
         F{Encoding::Utf16Be, true, LineBreak::CrLf},
         "UTF-16 BE"},
        {"Esc", {Encoding::EucJp, false, LineBreak::Lf}, {Act::Type("J"), Act::Escape()}, std::nullopt, "EUC-JP"},
        {"キャンセル", {Encoding::Iso2022Jp, false, LineBreak::Cr}, {Act::Click("キャンセル")}, std::nullopt, "JIS"},
        {"the close box", {Encoding::ShiftJis, false, LineBreak::CrLf}, {Act::Close()}, std::nullopt, "Shift_JIS"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DialogAnswerer answer({row.script});
        EXPECT_EQ(chooser.ChooseFormat(row.current), row.chosen);
        EXPECT_TRUE(answer.Done());
        ASSERT_EQ(answer.Seen().size(), 1u);
        const test::SeenDialog& seen = answer.Seen()[0];
        EXPECT_EQ(seen.caption, "文字コードを指定して保存");
        EXPECT_EQ(seen.statics, (std::vector<std::string>{"文字コード(&C):", "改行コード(&L):"}));
        EXPECT_EQ(seen.buttons, (std::vector<std::string>{"OK", "キャンセル"}));
        EXPECT_EQ(seen.focus, row.startsOn);
    }
}

}  // namespace
}  // namespace tovel
