#include "tools/tool_commands.h"

#include <gtest/gtest.h>

#include "platform/byte_string.h"
#include "tests/unit/fake_code_page.h"
#include "tests/unit/tool_commands_fixture.h"

namespace tovel {
namespace {

using ToolCommandsTest = test::ToolCommandsFixture;

TEST_F(ToolCommandsTest, LimitLengthAsksBeforeItCutsToWholeCharacters) {
    struct Case {
        std::string text, answer;
        bool yes;
        std::string result;
        std::int32_t limit;
        std::string question, error;
    } cases[] = {
        {"abcdefghijklmno", "10", true, "abcdefghij", 10, "5", ""},
        {"abcdefghijklmno", "10", false, "abcdefghijklmno", 7, "5", ""},  // No keeps the text and the old limit
        {"abc", "0", false, "abc", 0, "", ""},
        {"abc", "$10", false, "abc", 16, "", ""},
        {"abc", " 12", false, "abc", 12, "", ""},
        {"abc", "3", false, "abc", 3, "", ""},  // fits exactly: nothing to ask
        {"abcd", "-5", false, "abcd", -5, "", ""},
        {"ab表", "3", true, "ab", 3, "2", ""},
        {"a\r\nb", "2", true, "a\r\n", 2, "1", ""},  // the CR left at the cut completes to a line break
        {"a\r\n", "2", false, "a\r\n", 2, "", ""},   // ...so nothing goes, and nothing is asked
        {"a\rb", "2", true, "a\r", 2, "1", ""},      // a CR alone is a whole break: kept as it is
        {"a\nb", "1", true, "a", 1, "2", ""},        // an LF is a character like any other at the cut
        {"abc", "12 ", false, "abc", 7, "", "'12 ' は整数ではありません"},
        {"abc", "", false, "abc", 7, "", "'' は整数ではありません"},
    };
    for (const Case& c : cases) {
        editor.text = c.text;
        editor.maxLength = 7;
        boxes.shown.clear();
        boxes.yes = {c.yes};
        EXPECT_EQ(Run({c.answer}, [&] { tools.LimitLength(); }), c.error) << c.answer;
        EXPECT_EQ(editor.text, c.result) << c.answer;
        EXPECT_EQ(editor.maxLength, c.limit) << c.answer;
        const std::vector<std::string> asked =
            c.question.empty() ? std::vector<std::string>{}
                               : std::vector<std::string>{"question|文字列の末尾 " + c.question +
                                                          " バイトが削除されます。よろしいですか?|文字数を制限"};
        EXPECT_EQ(boxes.shown, asked) << c.answer;
    }
    EXPECT_EQ(dialogs.inputs.front(), "文字数を制限|最大文字数値を入力してください");
}

TEST_F(ToolCommandsTest, DeleteLineCountsFromOneAndIgnoresZeroAndNegatives) {
    struct Case {
        std::string text, answer, result;
    } cases[] = {
        {"a\r\nb\r\nc", "2", "a\r\nc"}, {"a\r\nb", "2", "a\r\n"},           {"a\r\nb", "5", "a\r\nb"},
        {"a\r\nb", "0", "a\r\nb"},      {"a\r\nb", "-1", "a\r\nb"},         {"a\nb\nc", "2", "a\nc"},
        {"a\rb\rc", "3", "a\rb\r"},     {"a\nb\r\nc\rd", "3", "a\nb\r\nd"},
    };
    for (const Case& c : cases) {
        editor.text = c.text;
        editor.Select(3, 3);
        Run({c.answer}, [&] { tools.DeleteLine(); });
        EXPECT_EQ(editor.text, c.result) << c.answer;
    }
    EXPECT_EQ(dialogs.inputs.front(), "行削除|削除したい行の行数を入力してください");
}

TEST_F(ToolCommandsTest, DeleteAndReplaceEverywhere) {
    editor.text = "aabb";
    Run({"ab"}, [&] { tools.DeleteEverywhere(); });
    EXPECT_EQ(editor.text, "");
    editor.text = "abbb";
    Run({"ab", "a"}, [&] { tools.ReplaceEverywhere(); });
    EXPECT_EQ(editor.text, "a");
    Run({"b", ""}, [&] { tools.ReplaceEverywhere(); });  // an empty replacement confirmed with OK deletes
    EXPECT_EQ(editor.text, "a");
    editor.text = "abab";
    Run({"b", ""}, [&] { tools.ReplaceEverywhere(); });
    EXPECT_EQ(editor.text, "aa");
    EXPECT_EQ(
        dialogs.inputs,
        (std::vector<std::string>{
            "指定文字列削除|削除する文字列を入力してください。", "文字列の置換|置換対象の文字列を入力してください。",
            "文字列の置換|置換後の文字列を入力してください。", "文字列の置換|置換対象の文字列を入力してください。",
            "文字列の置換|置換後の文字列を入力してください。", "文字列の置換|置換対象の文字列を入力してください。",
            "文字列の置換|置換後の文字列を入力してください。"}));
}

TEST_F(ToolCommandsTest, RepeatSelectionPastesLikeSinglePastesAsOneInsertion) {
    struct Case {
        std::string text;
        std::size_t selStart, selEnd;
        std::string clipboardBefore, answer;
        std::int32_t limit;
        std::string result;
        std::size_t caret;
        std::string error;
    } cases[] = {
        {"axyb", 1, 3, "", "3", 0, "axyxyxyb", 7, ""},
        {"axyb", 1, 3, "", "0", 0, "axyb", 3, ""},
        {"ab", 1, 1, "q", "2", 0, "aqqb", 3, ""},      // no selection: the clipboard's earlier text
        {"ab", 1, 1, "", "4", 0, "ab", 1, ""},         // nothing on the clipboard
        {"axyb", 1, 3, "", "5", 7, "axyxyxb", 6, ""},  // each paste keeps what still fits
        {"axyb", 1, 3, "", "2147483647", 0, "axyb", 3, "繰り返した文字列が大きくなりすぎるため、貼り付けをやめました"},
        {"axyb", 1, 3, "", "x", 0, "axyb", 3, "'x' は整数ではありません"},
    };
    for (const Case& c : cases) {
        editor.text = c.text;
        editor.Select(c.selStart, c.selEnd);
        editor.maxLength = c.limit;
        clipboard.text = c.clipboardBefore;
        EXPECT_EQ(Run({c.answer}, [&] { tools.RepeatSelection(); }), c.error) << c.answer;
        EXPECT_EQ(editor.text, c.result) << c.answer;
        if (c.error.empty()) {
            EXPECT_EQ(editor.selEnd, c.caret) << c.answer;
        }
    }
    EXPECT_EQ(clipboard.text, "xy") << "the copy is made before the count is read";
    EXPECT_EQ(dialogs.inputs.front(), "何回繰り返しますか？|繰り返し");
}

TEST_F(ToolCommandsTest, FindReportsTheFirstWholeMatchCountedFromOneAndSelectsIt) {
    editor.text = "表\r\nxyab ab";
    editor.Select(9, 9);
    Run({"ab"}, [&] { tools.Find(); });
    EXPECT_EQ(editor.Selected(), "ab");
    EXPECT_EQ(editor.selStart, 6u);
    editor.text = "表示\r\nxyab";  // two double-byte characters and a break before it
    editor.Select(0, 0);
    Run({"ab"}, [&] { tools.Find(); });
    EXPECT_EQ(editor.Selected(), "ab");
    EXPECT_EQ(editor.selStart, 8u);
    editor.text =
        "\x83"
        "A";
    Run({"A"}, [&] { tools.Find(); });
    Run({""}, [&] { tools.Find(); });
    EXPECT_EQ(boxes.shown,
              (std::vector<std::string>{"info|7文字目に見つかりました。|検索", "info|9文字目に見つかりました。|検索",
                                        "warning|見つかりませんでした。|検索", "warning|見つかりませんでした。|検索"}));
    EXPECT_EQ(dialogs.inputs.front(), "検索|検索する文字列を入力してください。");
}

TEST_F(ToolCommandsTest, CountsAndCaretPositionCountBytesFromOne) {
    editor.text = "";
    tools.ShowByteCount();
    editor.text = "a\r\n表x";
    tools.ShowByteCount();
    editor.Select(0, 0);
    tools.ShowCaretPosition();
    editor.Select(6, 6);
    tools.ShowCaretPosition();
    editor.Select(5, 6);  // a selection reports its start
    tools.ShowCaretPosition();
    editor.text = "abc\r\n表xyz";
    editor.Select(8, 8);  // after the third byte of the second line
    tools.ShowCaretPosition();
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"0", "6", "1行1列", "2行4列", "2行3列", "2行4列"}));
}

TEST_F(ToolCommandsTest, InsertionsTemplateAndOpen) {
    editor.text = "abcdef";
    editor.Select(2, 4);
    tools.InsertDateTime();
    EXPECT_EQ(editor.text, "ab2024/03/09 7:05:04ef");
    EXPECT_EQ(editor.selEnd, 20u);

    std::vector<std::string> templates;
    tools.NewHtmlDocument(
        [&](const std::string& name) {
            templates.push_back(name);
            return true;
        },
        "C:\\app\\");
    EXPECT_EQ(templates, std::vector<std::string>{"C:\\app\\doc\\tag.txt"});
}

TEST_F(ToolCommandsTest, OpenSelectionShowsAnUnseenTargetFirstAndReportsWhatFails) {
    const std::string ask = "question|クリップボードの次の文字列を開きます。よろしいですか?\r\n\r\n";
    const std::string refused = "warning|改行を含む文字列は開けません。|開く";
    struct Case {
        const char* name;
        std::string clipboard;
        std::size_t selStart, selEnd;  // in "x y\r\nz"
        bool yes, shellSucceeds;
        std::vector<std::string> opened, shown;
        std::string error;
    } cases[] = {
        {"selection: opened at once", "old", 0, 1, false, true, {"x"}, {}, ""},
        {"clipboard, Yes", "C:\\run.bat", 0, 0, true, true, {"C:\\run.bat"}, {ask + "C:\\run.bat|開く"}, ""},
        {"clipboard, No", "C:\\run.bat", 0, 0, false, true, {}, {ask + "C:\\run.bat|開く"}, ""},
        {"clipboard kept exactly, blanks and all", " a b ", 0, 0, true, true, {" a b "}, {ask + " a b |開く"}, ""},
        {"line break in the clipboard", "a.txt\r\ncalc", 0, 0, true, true, {}, {refused}, ""},
        {"line break in the selection", "old", 2, 6, true, true, {}, {refused}, ""},
        {"empty clipboard", "", 0, 0, true, true, {}, {"warning|開く文字列がありません。|開く"}, ""},
        {"shell fails", "x.xyz", 0, 0, true, false, {"x.xyz"}, {ask + "x.xyz|開く"}, "x.xyz を開けませんでした"},
    };
    for (const Case& c : cases) {
        editor.text = "x y\r\nz";
        editor.Select(c.selStart, c.selEnd);
        clipboard.text = c.clipboard;
        boxes.shown.clear();
        boxes.yes = {c.yes};
        shell.opened.clear();
        shell.succeeds = c.shellSucceeds;
        EXPECT_EQ(Run({}, [&] { tools.OpenSelection(); }), c.error) << c.name;
        EXPECT_EQ(shell.opened, c.opened) << c.name;
        EXPECT_EQ(boxes.shown, c.shown) << c.name;
    }
}

// In a UTF-8 document every box is the UTF-8 one, terms and the text are UTF-8, and the program's own
// text is converted before it goes in; what cannot be held is refused with nothing changed.
TEST_F(ToolCommandsTest, InAUtf8DocumentEveryToolActsOnTheUtf8Text) {
    using test::U8;
    using T = ToolCommands;
    const std::string notHeld = "入力した文字列を この文書の文字コード (UTF-8) で表せません。何も変更していません";
    const std::string found = "info|%s文字目に見つかりました。|検索";
    struct Case {
        const char* name;
        void (ToolCommands::*command)();
        std::string text;
        std::size_t selStart, selEnd;
        std::string answers;               // each box's answer, the next after a "|"
        std::string result, error, shown;  // shown: the message box, if any
        std::string datePicture = "yyyy/MM/dd";
        std::int32_t limit = 0;
    } cases[] = {
        {"find", &T::Find, U8(u8"あ日本語"), 0, 0, U8(u8"本語"), U8(u8"あ日本語"), "", FormatText(found, "7")},
        {"find: a term that is no UTF-8", &T::Find, U8(u8"日本"), 0, 0, "\x97\xA5", U8(u8"日本"), notHeld},
        // The last byte of あ (0x82) and "a" make a Shift-JIS pair.
        {"find after あ", &T::Find, U8(u8"あa"), 0, 0, "a", U8(u8"あa"), "", FormatText(found, "4")},
        {"replace-all after あ", &T::ReplaceEverywhere, U8(u8"あaあa"), 0, 0, "a|-", U8(u8"あ-あ-")},
        {"replace-all", &T::ReplaceEverywhere, U8(u8"日本語日本"), 0, 0, U8(u8"日本|あ"), U8(u8"あ語あ")},
        {"replace-all: no UTF-8", &T::ReplaceEverywhere, U8(u8"日本"), 0, 0, U8(u8"日|") + "\x93\xfa", U8(u8"日本"),
         notHeld},
        {"delete-all", &T::DeleteEverywhere, U8(u8"語a語"), 0, 0, U8(u8"語"), "a"},
        {"delete-all: a Shift-JIS term", &T::DeleteEverywhere, U8(u8"表"), 0, 0, "表", U8(u8"表"), notHeld},
        {"limit cuts at whole characters", &T::LimitLength, U8(u8"aあb"), 0, 0, "3", "a", "",
         "question|文字列の末尾 4 バイトが削除されます。よろしいですか?|文字数を制限"},
        {"limit: no number", &T::LimitLength, "ab", 0, 0, U8(u8"三"), "ab", "入力した文字列は整数ではありません"},
        {"limit: the answer shown", &T::LimitLength, "ab", 0, 0, U8(u8"日"), "ab", "'日' は整数ではありません"},
        {"date", &T::InsertDateTime, "ab", 1, 1, "", U8(u8"a日本 2024/03/09 7:05:04b"), "", "", "'日本' yyyy/MM/dd"},
        {"date with no UTF-8 form", &T::InsertDateTime, "ab", 1, 1, "", "ab",
         "日付と時刻を この文書の文字コード (UTF-8) で表せません。何も変更していません", "", "'\x81' yyyy"},
        {"repeat keeps whole characters", &T::RepeatSelection, U8(u8"aあb"), 1, 4, "3", U8(u8"aああb"), "", "", "", 9},
        {"open the selection as Shift-JIS", &T::OpenSelection, U8(u8"x日本"), 1, 7, "", U8(u8"x日本")},
        {"open a selection Shift-JIS cannot name", &T::OpenSelection, U8(u8"x😀"), 1, 5, "", U8(u8"x😀"),
         "選択した文字列には Shift_JIS で表せない文字があるため開けません"},
    };
    for (const Case& c : cases) {
        editor.utf8 = true;
        editor.text = c.text;
        editor.Select(c.selStart, c.selEnd);
        editor.maxLength = c.limit;
        formats.shortDate = c.datePicture;
        boxes.shown.clear();
        boxes.yes = {true};
        dialogs.inputs.clear();
        shell.opened.clear();
        std::vector<std::optional<std::string>> answers;
        for (std::size_t from = 0; from < c.answers.size();) {
            const std::size_t bar = std::min(c.answers.find('|', from), c.answers.size());
            answers.push_back(c.answers.substr(from, bar - from));
            from = bar + 1;
        }
        EXPECT_EQ(Run(answers, [&] { (tools.*c.command)(); }), c.error) << c.name;
        EXPECT_EQ(editor.text, c.result) << c.name;
        EXPECT_EQ(boxes.shown, c.shown.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.shown})
            << c.name;
        for (const std::string& input : dialogs.inputs) EXPECT_TRUE(input.starts_with("utf8|")) << c.name << input;
    }
    EXPECT_EQ(shell.opened, std::vector<std::string>{}) << "the refused selection is not opened";
}

TEST_F(ToolCommandsTest, Utf8FindSelectsAndCountsBytesOfTheHeldText) {
    using test::U8;
    editor.utf8 = true;
    editor.text = U8(u8"あ\nい語");
    Run({U8(u8"語")}, [&] { tools.Find(); });
    EXPECT_EQ(editor.Selected(), U8(u8"語"));
    tools.ShowByteCount();
    editor.Select(7, 7);  // after い on the line after an LF
    tools.ShowCaretPosition();
    editor.text = U8(u8"a\rあ");
    editor.Select(5, 5);
    tools.ShowCaretPosition();
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"10", "2行4列", "2行4列"}));
    EXPECT_EQ(boxes.shown, std::vector<std::string>{"info|8文字目に見つかりました。|検索"});

    editor.text = U8(u8"x日本");
    editor.Select(1, 7);
    Run({}, [&] { tools.OpenSelection(); });
    EXPECT_EQ(shell.opened, std::vector<std::string>{"日本"}) << "the Shift-JIS path, as the shell takes it";
}

}  // namespace
}  // namespace tovel
