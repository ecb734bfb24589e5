// The text tools on the real main window and editor, their dialogs answered by real input.
#include <gtest/gtest.h>

#include <fstream>

#include "AboutBox/win32/about_form.h"
#include "app/win32/tovel_unit.h"
#include "platform/win32/regional.h"
#include "platform/win32/win32_clipboard.h"
#include "setting/win32/setting_form.h"
#include "tests/win32/dialog_answerer.h"
#include "tests/win32/main_window_fixture.h"
#include "tests/win32/test_folder.h"

namespace tovel {
namespace {

using test::Act;

class ToolWindowTest : public test::MainWindowFixture {
protected:
    ToolWindowTest() {
        ShowWindow(form.Handle(), SW_SHOW);
        SetFocus(form.Note().Handle());
    }

    // Runs the command as the menu does (an error goes to the error box), answering its dialogs.
    std::vector<test::SeenDialog> Run(CommandId command, std::vector<test::Script> scripts) {
        test::DialogAnswerer answer(std::move(scripts));
        form.RunCommand(command);
        EXPECT_EQ(answer.Unexpected(), 0);
        EXPECT_TRUE(answer.Done());
        return answer.Seen();
    }

    void Select(int start, int length) {
        Note().SetSelStart(start);
        Note().SetSelLength(length);
    }
    std::string Selected() {
        Note().CopyToClipboard();
        return Win32Clipboard(form.Handle()).ReadText();
    }
    ScintillaEditor& Note() { return form.Note(); }
    // Real key input, handled as the program's message loop handles it.
    void PressCtrlZ() {
        INPUT in[4] = {};
        const WORD keys[4] = {VK_CONTROL, 'Z', 'Z', VK_CONTROL};
        for (int i = 0; i < 4; ++i) {
            in[i].type = INPUT_KEYBOARD;
            in[i].ki.wVk = keys[i];
            in[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
        }
        SendInput(4, in, sizeof(INPUT));
        for (int round = 0; round < 3; ++round) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (form.PreviewMessage(msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            Sleep(20);
        }
    }
};

TEST_F(ToolWindowTest, FindCountsBytesAndSelectsExactlyTheMatch) {
    Note().SetText("表示\r\nxyab");
    const auto seen = Run(cmdFind1, {{Act::Type("ab"), Act::Enter()}, {Act::Enter()}});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].caption, "検索");
    EXPECT_EQ(seen[1].caption, "検索");
    EXPECT_EQ(seen[1].statics.back(), "9文字目に見つかりました。");
    EXPECT_EQ(Note().SelStart(), 8);
    EXPECT_EQ(Selected(), "ab");
}

TEST_F(ToolWindowTest, CaretPositionCountsTheDoubleByteCharacterAsTwo) {
    Note().SetText("abc\r\n表xyz");
    Note().SetSelStart(8);  // after the third byte of the second line
    const auto seen = Run(cmdC1, {{Act::Enter()}});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].statics.back(), "2行4列");
}

TEST_F(ToolWindowTest, DateAndTimeReplaceTheSelection) {
    Note().SetText("abcdef");
    Select(2, 2);
    const std::string before = DateTimeText(CurrentLocalTime(), form.Formats());
    form.RunCommand(cmdNow1);
    const std::string after = DateTimeText(CurrentLocalTime(), form.Formats());
    const std::string text = Note().Text();
    EXPECT_TRUE(text == "ab" + before + "ef" || text == "ab" + after + "ef") << text;
    EXPECT_EQ(Note().SelStart(), static_cast<int>(text.size()) - 2);
}

TEST_F(ToolWindowTest, RepeatPastesTheSelectionTheNumberOfTimesAskedAndAtLeastOnce) {
    Note().SetText("axyb");
    Select(1, 2);
    const auto seen = Run(cmdR3, {{Act::Type("3"), Act::Enter()}});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "何回繰り返しますか？");
    EXPECT_EQ(Note().Text(), "axyxyxyb");
    EXPECT_EQ(Note().SelStart(), 7);

    Note().SetText("axyb");
    Select(1, 2);
    Run(cmdR3, {{Act::Type("0"), Act::Enter()}});
    EXPECT_EQ(Note().Text(), "axyb");
    EXPECT_EQ(Note().SelStart(), 3);
}

TEST_F(ToolWindowTest, AnswerThatIsNoNumberShowsTheErrorAndChangesNothing) {
    Note().SetText("abcdefghijklmno");
    auto seen = Run(cmdM1, {{Act::Type("12 "), Act::Enter()}, {Act::Enter()}});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].statics.back(), "'12 ' は整数ではありません.");
    EXPECT_EQ(Note().MaxLength(), 0);
    EXPECT_EQ(Note().Text(), "abcdefghijklmno");

    Select(2, 3);
    Win32Clipboard(form.Handle()).WriteText("before");
    seen = Run(cmdR3, {{Act::Escape()}});
    ASSERT_EQ(seen.size(), 1u) << "Cancel ends the command without an error box";
    EXPECT_EQ(Note().Text(), "abcdefghijklmno");
    EXPECT_EQ(Win32Clipboard(form.Handle()).ReadText(), "before") << "nor a copy";

    seen = Run(cmdM1, {{Act::Type("10"), Act::Enter()}, {Act::Enter()}});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].statics.back(), "文字列の末尾 5 バイトが削除されます。よろしいですか?");
    EXPECT_EQ(Note().Text(), "abcdefghij");
    EXPECT_EQ(Note().MaxLength(), 10);
}

// Ctrl+Z after a replace-all brings back every byte, those that are no Shift-JIS character included;
// a second Ctrl+Z replaces again.
TEST_F(ToolWindowTest, ReplaceAllThenCtrlZBringsBackTheExactBytes) {
    const std::string before = std::string("xa\x81\x7f\xff") + "a\x85\x40\r\n\x95\x5c" + "a\x82";
    Note().SetText(before);
    ASSERT_EQ(Note().Text(), before);
    Run(cmdReplace1, {{Act::Type("a"), Act::Enter()}, {Act::Type("bb"), Act::Enter()}});
    const std::string replaced = Note().Text();
    ASSERT_EQ(replaced, std::string("xbb\x81\x7f\xff") + "bb\x85\x40\r\n\x95\x5c" + "bb\x82");
    PressCtrlZ();
    EXPECT_EQ(Note().Text(), before);
    PressCtrlZ();
    EXPECT_EQ(Note().Text(), replaced);
}

TEST_F(ToolWindowTest, TemplateOnAModifiedDocumentAsksFirst) {
    CreateDirectoryA((folder / "doc").c_str(), nullptr);
    std::ofstream(folder / "doc\\tag.txt", std::ios::binary) << "<html>\n</html>\n";
    Note().SetText("draft");
    ASSERT_EQ(form.Document().ModMark, " * ") << "the text changed";

    auto seen = Run(cmdHTMLTagH1, {{Act::Click("キャンセル")}});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].caption, "確認");
    EXPECT_EQ(Note().Text(), "draft");
    EXPECT_EQ(form.Document().ModMark, " * ");

    Run(cmdHTMLTagH1, {{Act::Click("いいえ(&N)")}});
    EXPECT_EQ(Note().Text(), "<html>\r\n</html>\r\n");
    EXPECT_EQ(form.Document().ModMark, " - ");
    char caption[256] = {};
    GetWindowTextA(form.Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "無題 - tovel editor");
}

}  // namespace
}  // namespace tovel
