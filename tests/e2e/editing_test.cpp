// Typing and the editing shortcuts in the running editor, with the gutter following the text.
#include <gtest/gtest.h>

#include "tests/e2e/editor_process.h"

namespace e2e {
namespace {

// The numbers the gutter shows, top to bottom, joined by spaces (the panel's text).
std::string GutterNumbers(HWND main) { return WindowText(FindWindowExA(main, nullptr, "TovelLineGutter", nullptr)); }

void SetClipboardText(const std::string& text) {
    OpenClipboard(nullptr);
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
}

TEST(Editing, TypingAndShortcutsChangeTheTextAndTheGutterFollows) {
    TempFolder exeDir, workDir;
    EditorProcess editor(exeDir.Path(), "", workDir.Path());
    HWND main = editor.WaitForMainWindow();
    ASSERT_TRUE(main);
    EXPECT_EQ(GutterNumbers(main), "1");

    TypeText(main, "one\ntwo\nthree");
    EXPECT_EQ(editor.EditorText(), "one\r\ntwo\r\nthree");
    EXPECT_EQ(GutterNumbers(main), "1 2 3");
    EXPECT_EQ(WindowText(main), "無題 * tovel editor") << "a key release marks the document";

    PressKey('A', true);  // select all (the editor's context menu claims Ctrl+A first)
    PressKey('T', true);  // cut
    Sleep(200);
    EXPECT_EQ(editor.EditorText(), "");
    EXPECT_EQ(GutterNumbers(main), "1") << "the cut refreshed the gutter";

    PressKey('P', true);  // paste: Ctrl+P is paste, never print
    PressKey('P', true);
    Sleep(200);
    EXPECT_EQ(editor.EditorText(), "one\r\ntwo\r\nthreeone\r\ntwo\r\nthree");
    EXPECT_EQ(GutterNumbers(main), "1 2 3 4 5");

    SetClipboardText("X");
    // Claimed by the menu (a new HTML document, which asks first): the editor never sees it as a backspace.
    PressKey('H', true);
    HWND question = editor.WaitForWindow("#32770", 5000);
    ASSERT_TRUE(question);
    PressButton(question, IDCANCEL);
    Sleep(200);
    EXPECT_EQ(editor.EditorText(), "one\r\ntwo\r\nthreeone\r\ntwo\r\nthree");

    EXPECT_NE(CloseAnswering(editor, IDNO), "") << "the modified document asks before closing";
    EXPECT_TRUE(editor.WaitForExit());
}

}  // namespace
}  // namespace e2e
