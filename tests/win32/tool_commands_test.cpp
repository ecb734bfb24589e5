// The text tools on the real main window and editor: what only they show (the error box, the real clipboard
// left alone, real keys undoing and redoing a replace). The tools' own rules are tested on the host.
#include <gtest/gtest.h>

#include "AboutBox/win32/about_form.h"
#include "app/win32/tovel_unit.h"
#include "platform/win32/win32_clipboard.h"
#include "setting/win32/setting_form.h"
#include "tests/win32/dialog_answerer.h"
#include "tests/win32/main_window_fixture.h"
#include "tests/win32/test_window.h"

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
    ScintillaEditor& Note() { return form.Note(); }
    // Ctrl with a key, as real key input handled as the program's message loop handles it.
    void PressCtrl(WORD key) {
        INPUT in[4] = {};
        const WORD keys[4] = {VK_CONTROL, key, key, VK_CONTROL};
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
// a second Ctrl+Z finds nothing before the load, and Ctrl+Y replaces again.
TEST_F(ToolWindowTest, ReplaceAllThenCtrlZBringsBackTheExactBytes) {
    const std::string before = std::string("xa\x81\x7f\xff") + "a\x85\x40\r\n\x95\x5c" + "a\x82";
    Note().SetText(before);
    ASSERT_EQ(Note().Text(), before);
    Run(cmdReplace1, {{Act::Type("a"), Act::Enter()}, {Act::Type("bb"), Act::Enter()}});
    const std::string replaced = Note().Text();
    ASSERT_EQ(replaced, std::string("xbb\x81\x7f\xff") + "bb\x85\x40\r\n\x95\x5c" + "bb\x82");
    PressCtrl('Z');
    EXPECT_EQ(Note().Text(), before);
    PressCtrl('Z');
    EXPECT_EQ(Note().Text(), before);
    PressCtrl('Y');
    EXPECT_EQ(Note().Text(), replaced);
}

// Typing, a paste and a replace-all are three steps: Ctrl+Z takes them back one by one to the exact bytes
// loaded, and Ctrl+Y brings them forward again one by one; a new edit after an undo leaves nothing to redo.
TEST_F(ToolWindowTest, CtrlZWalksBackEveryStepAndCtrlYForward) {
    const std::string loaded = std::string("xa\x81\x7f\xff") + "a\x85\x40\r\n\x95\x5c" + "a\x82";
    const std::string typed = "q" + loaded;
    const std::string pasted = "q\x81\x7fp" + loaded;
    const std::string replaced = std::string("q\x81\x7fpxbb\x81\x7f\xff") + "bb\x85\x40\r\n\x95\x5c" + "bb\x82";
    Note().SetText(loaded);
    Note().SetSelStart(0);
    SendMessageW(Note().Handle(), WM_CHAR, L'q', 1);
    ASSERT_EQ(Note().Text(), typed);
    Win32Clipboard(form.Handle()).WriteText("\x81\x7fp");
    form.RunCommand(cmdPasteP1);
    ASSERT_EQ(Note().Text(), pasted);
    Run(cmdReplace1, {{Act::Type("a"), Act::Enter()}, {Act::Type("bb"), Act::Enter()}});
    ASSERT_EQ(Note().Text(), replaced);

    const std::string back[] = {pasted, typed, loaded, loaded};  // the last: nothing before the load
    for (const std::string& text : back) {
        PressCtrl('Z');
        EXPECT_EQ(Note().Text(), text);
    }
    const std::string forward[] = {typed, pasted, replaced, replaced};  // the last: nothing after
    for (const std::string& text : forward) {
        PressCtrl('Y');
        EXPECT_EQ(Note().Text(), text);
    }

    PressCtrl('Z');
    PressCtrl('Z');
    ASSERT_EQ(Note().Text(), typed);
    Win32Clipboard(form.Handle()).WriteText("z");
    form.RunCommand(cmdPasteP1);
    const std::string edited = Note().Text();
    ASSERT_NE(edited, typed);
    PressCtrl('Y');
    EXPECT_EQ(Note().Text(), edited) << "the new edit dropped the steps undone before it";
    PressCtrl('Z');
    EXPECT_EQ(Note().Text(), typed);
    PressCtrl('Y');
    EXPECT_EQ(Note().Text(), edited);
}

// With word wrap on, a long paragraph over many rows is still one line: the caret's position and the
// line deleted are the file's.
TEST_F(ToolWindowTest, WrappedLinesCountAsTheFilesLines) {
    ASSERT_TRUE(Note().WordWrap());
    std::string paragraph;
    while (paragraph.size() < 600) paragraph += "折り返される長い段落です。";
    const std::string text = "一行目\r\n" + paragraph + "\r\nthird line\r\nlast";
    Note().SetText(text);
    test::PumpMessages();
    Note().SetSelStart(static_cast<int>(text.find("third")) + 2);

    auto seen = Run(cmdC1, {{Act::Enter()}});
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].statics.back(), "3行3列");

    Run(cmdL1, {{Act::Type("2"), Act::Enter()}});
    EXPECT_EQ(Note().Text(), "一行目\r\nthird line\r\nlast") << "the whole paragraph, and only it";
}

// A replace over a large text shows its progress; Esc there stops it,
// and the text, the undo record and the window are as they were.
TEST_F(ToolWindowTest, ALongReplaceStoppedWithEscLeavesTheTextAsItWas) {
    std::string text;
    const std::string line = std::string(78, 'a') + "\r\n";
    while (text.size() < (48u << 20)) text += line;
    Note().SetText(text);
    form.Progress().SetShowAfter(0);  // at the first step, however fast this machine scans
    bool mainWindowTookInput = true;
    const auto seen = Run(
        cmdReplace1, {{Act::Type("a"), Act::Enter()},
                      {Act::Type("b"), Act::Enter()},
                      {Act::Call([&](HWND) { mainWindowTookInput = IsWindowEnabled(form.Handle()); }), Act::Escape()}});
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[2].caption, "文字列の置換");
    EXPECT_EQ(seen[2].buttons, std::vector<std::string>{"キャンセル"});
    EXPECT_FALSE(mainWindowTookInput) << "the program is modal to the progress";
    EXPECT_TRUE(Note().TextView() == text);
    EXPECT_TRUE(IsWindowEnabled(form.Handle()));
    Note().Undo();
    EXPECT_TRUE(Note().TextView() == text) << "the stopped replace left no step to undo";
}

// A repeated paste of many megabytes shows its progress; Esc there stops it between two runs, and the
// text and the undo record are as they were: the first paste is taken back with the rest.
TEST_F(ToolWindowTest, ALongRepeatedPasteStoppedWithEscLeavesTheTextAsItWas) {
    const std::string text = "before\r\n" + std::string(78, 'a') + "\r\nafter";
    Note().SetText(text);
    Select(0, 2);
    Note().SetSelText("ty");  // one typed step before the command
    const std::string typed = Note().Text();
    Select(8, 80);
    form.Progress().SetShowAfter(0);
    bool mainWindowTookInput = true;
    const auto seen =
        Run(cmdR3, {{Act::Type("1000000"), Act::Enter()},
                    {Act::Call([&](HWND) { mainWindowTookInput = IsWindowEnabled(form.Handle()); }), Act::Escape()}});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].caption, "繰り返し");
    EXPECT_EQ(seen[1].buttons, std::vector<std::string>{"キャンセル"});
    EXPECT_FALSE(mainWindowTookInput) << "the program is modal to the progress";
    EXPECT_TRUE(Note().TextView() == typed);
    EXPECT_TRUE(IsWindowEnabled(form.Handle()));
    Note().Undo();
    EXPECT_EQ(Note().Text(), text) << "the next undo takes back the typing before the paste";
}

}  // namespace
}  // namespace tovel
