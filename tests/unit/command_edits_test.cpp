// The commands that change the text, as the editor's undo and a cancelled box meet them: every change is
// one undo step back to the exact text before it, and Cancel leaves everything as it was.
#include <gtest/gtest.h>

#include "document/append_commands.h"
#include "document/document_commands.h"
#include "platform/error.h"
#include "tests/unit/fake_code_page.h"
#include "tests/unit/fake_format_chooser.h"
#include "tests/unit/tool_commands_fixture.h"

namespace tovel {
namespace {

using test::CountingSound;
using Answers = std::vector<std::optional<std::string>>;

class CommandEditsTest : public test::ToolCommandsFixture {
protected:
    // The text, a selection and one undo step of typing before each command.
    void Prepare() {
        editor.SetText(
            "ab\r\nb\x81\x7f"
            "b\r\n表c");
        editor.Select(0, 0);
        editor.SetSelText("z");
        editor.Select(5, 9);
        editor.maxLength = 0;
        clipboard.text = "clip";
        dialogs.inputs.clear();
        boxes.shown.clear();
    }

    test::MemoryFiles files;
    test::ScriptedFileDialogs fileDialogs;
    CountingSound sound;
    MixList mixList;
    DocumentState state;
    AppendCommands append{mixList, editor, files, fileDialogs, dialogs, sound, codePage, state};
    test::RecordingWindow window;
    test::TableCodePage codePage;
    test::ScriptedFormatChooser chooser;
    DocumentCommands doc{state, editor, files, fileDialogs, dialogs, window, codePage, chooser};
};

TEST_F(CommandEditsTest, EveryCommandThatChangesTheTextIsOneUndoStepBackToTheExactBytes) {
    files.files["C:\\app\\doc\\tag.txt"] = "<html>\n";
    files.files["D:\\more.txt"] = "p\nq";
    doc.Start("", "tovel editor");
    struct Case {
        const char* name;
        Answers answers;
        std::function<void()> command;
    } cases[] = {
        {"replace-all", {"b", "yy"}, [&] { tools.ReplaceEverywhere(); }},
        {"delete-all", {"b"}, [&] { tools.DeleteEverywhere(); }},
        {"delete a line", {"2"}, [&] { tools.DeleteLine(); }},
        {"length cut",
         {"4"},
         [&] {
             boxes.yes = {true};
             tools.LimitLength();
         }},
        {"repeated paste", {"3"}, [&] { tools.RepeatSelection(); }},
        {"append-open",
         {},
         [&] {
             fileDialogs.opens = {"D:\\more.txt"};
             append.MixOpen();
         }},
        {"date", {}, [&] { tools.InsertDateTime(); }},
        {"template",
         {},
         [&] { tools.NewHtmlDocument([&](const std::string& n) { return doc.NewFrom(n); }, "C:\\app\\"); }},
    };
    for (const Case& c : cases) {
        Prepare();
        const std::string before = editor.text;
        EXPECT_EQ(Run(c.answers, c.command), "") << c.name;
        const std::string after = editor.text;
        ASSERT_NE(after, before) << c.name;
        editor.Undo();
        EXPECT_EQ(editor.text, before) << c.name;
        editor.Redo();
        EXPECT_EQ(editor.text, after) << c.name << ": a redo brings the change back";
        editor.Undo();
        editor.Undo();
        EXPECT_EQ(editor.text.substr(0, 2), "ab") << c.name << ": a second undo takes back the typing before";
    }
}

TEST_F(CommandEditsTest, CancelInAnyBoxEndsTheCommandSilentlyWithNothingChanged) {
    const std::nullopt_t cancel = std::nullopt;
    struct Case {
        const char* name;
        Answers answers;
        std::function<void()> command;
        std::size_t boxesShown;
    } cases[] = {
        {"length limit", {cancel}, [&] { tools.LimitLength(); }, 1},
        {"delete a line", {cancel}, [&] { tools.DeleteLine(); }, 1},
        {"delete-all", {cancel}, [&] { tools.DeleteEverywhere(); }, 1},
        {"replace, first box", {cancel}, [&] { tools.ReplaceEverywhere(); }, 1},
        {"replace, second box", {"b", cancel}, [&] { tools.ReplaceEverywhere(); }, 2},
        {"repeated paste", {cancel}, [&] { tools.RepeatSelection(); }, 1},
        {"find", {cancel}, [&] { tools.Find(); }, 1},
    };
    for (const Case& c : cases) {
        Prepare();
        editor.maxLength = 9;
        const std::string before = editor.text;
        EXPECT_EQ(Run(c.answers, c.command), "") << c.name;
        EXPECT_EQ(editor.text, before) << c.name;
        EXPECT_EQ(editor.maxLength, 9) << c.name;
        EXPECT_EQ(editor.selStart, 5u) << c.name;
        EXPECT_EQ(editor.selEnd, 9u) << c.name;
        EXPECT_EQ(clipboard.text, "clip") << c.name;
        EXPECT_EQ(dialogs.inputs.size(), c.boxesShown) << c.name;
        EXPECT_TRUE(boxes.shown.empty()) << c.name;
        editor.Undo();
        EXPECT_EQ(editor.text.substr(0, 2), "ab") << c.name << ": the typing before is still undone first";
    }
}

TEST_F(CommandEditsTest, ARepeatTooLargeToPasteLeavesTheTextAndItsUndoAsTheyWere) {
    Prepare();
    const std::string before = editor.text;
    EXPECT_EQ(Run({"2147483647"}, [&] { tools.RepeatSelection(); }),
              "繰り返した文字列が大きくなりすぎるため、貼り付けをやめました");
    EXPECT_EQ(editor.text, before);
    editor.Undo();
    EXPECT_EQ(editor.text,
              "ab\r\nb\x81\x7f"
              "b\r\n表c")
        << "the step before the command";
    editor.Redo();
    EXPECT_EQ(editor.text, before);
    editor.Redo();
    EXPECT_EQ(editor.text, before) << "the paste taken back never comes back";
}

}  // namespace
}  // namespace tovel
