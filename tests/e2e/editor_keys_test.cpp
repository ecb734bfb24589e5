// The editor under real keyboard input: ASCII and Japanese typing arrive as Shift-JIS bytes, Backspace
// and Shift+arrows work by whole characters, undo goes back step by step and redo forward again.
#include <gtest/gtest.h>

#include "tests/e2e/editor_process.h"

namespace e2e {
namespace {

TEST(EditorKeys, TypingSelectingAndUndoingWorkByWholeCharacters) {
    TempFolder exeDir, workDir;
    EditorProcess editor(exeDir.Path(), "", workDir.Path());
    HWND main = editor.WaitForMainWindow();
    ASSERT_TRUE(main);

    TypeText(main, "ab");
    TypeUnicode(main, L"日本語");
    EXPECT_EQ(editor.EditorText(), "ab日本語");

    PressKey(VK_BACK);
    Sleep(100);
    EXPECT_EQ(editor.EditorText(), "ab日本") << "Backspace removes the whole double-byte character";

    PressKeyWith(VK_LEFT, {VK_SHIFT});
    TypeText(main, "x");
    EXPECT_EQ(editor.EditorText(), "ab日x") << "Shift+Left selected one whole character";

    PressKeyWith(VK_HOME, {VK_SHIFT});
    TypeUnicode(main, L"表");
    EXPECT_EQ(editor.EditorText(), "表");

    PressKey('U', true);  // 元に戻す
    Sleep(100);
    EXPECT_EQ(editor.EditorText(), "ab日x");
    PressKey('U', true);  // a second undo goes one step further back: the x typed over 本
    Sleep(100);
    EXPECT_EQ(editor.EditorText(), "ab日本");
    PressKey('Y', true);  // やり直し
    Sleep(100);
    EXPECT_EQ(editor.EditorText(), "ab日x");
    PressKey('Y', true);
    Sleep(100);
    EXPECT_EQ(editor.EditorText(), "表");

    EXPECT_NE(CloseAnswering(editor, IDNO), "");
    EXPECT_TRUE(editor.WaitForExit());
}

}  // namespace
}  // namespace e2e
