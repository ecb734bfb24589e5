// Saving and opening in the running editor through the real file dialogs, and closing a modified
// document, with real key presses.
#include <gtest/gtest.h>

#include "tests/e2e/editor_process.h"

namespace e2e {
namespace {

// Waits for a dialog with the caption, types the text into its focused control and presses Enter.
bool AnswerFileDialog(EditorProcess& editor, const std::string& caption, const std::string& typed) {
    for (int i = 0; i < 100; ++i) {
        HWND box = editor.WaitForWindow("#32770", 100);
        if (box && WindowText(box) == caption) {
            Sleep(300);
            TypeText(box, typed + "\n");
            return true;
        }
    }
    return false;
}

TEST(FileCommands, CtrlSOnAnUntitledDocumentSavesThroughTheDialogAndAltF4AsksBeforeClosing) {
    TempFolder exeDir, workDir, saveDir;
    EditorProcess editor(exeDir.Path(), "", workDir.Path());
    HWND main = editor.WaitForMainWindow();
    ASSERT_TRUE(main);
    TypeText(main, "first line\nsecond");
    PressKey('S', true);
    ASSERT_TRUE(AnswerFileDialog(editor, "ファイルの保存場所の指定", saveDir / "saved"));
    Sleep(500);
    EXPECT_EQ(ReadBytes(saveDir / "saved.txt"), "first line\r\nsecond") << "the typed bytes with CR LF";
    const std::string caption = WindowText(main);
    EXPECT_EQ(caption.rfind("saved.txt", 0), 0u) << caption;

    TypeText(main, "!");  // modified again, never saved
    INPUT alt[4] = {};
    alt[0].type = alt[1].type = alt[2].type = alt[3].type = INPUT_KEYBOARD;
    alt[0].ki.wVk = VK_MENU;
    alt[1].ki.wVk = VK_F4;
    alt[2].ki.wVk = VK_F4;
    alt[2].ki.dwFlags = KEYEVENTF_KEYUP;
    alt[3].ki.wVk = VK_MENU;
    alt[3].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(4, alt, sizeof(INPUT));
    HWND question = editor.WaitForWindow("#32770");
    ASSERT_TRUE(question);
    EXPECT_EQ(WindowText(question), "確認");
    EXPECT_NE(StaticTexts(question).find("saved.txt は変更されています。"), std::string::npos) << StaticTexts(question);
    PressButton(question, IDNO);
    EXPECT_TRUE(editor.WaitForExit()) << "No closes the window";
    EXPECT_EQ(ReadBytes(saveDir / "saved.txt"), "first line\r\nsecond") << "No leaves the file as it was";
}

TEST(FileCommands, OpenLoadsTheChosenFileAndSaveWritesItBack) {
    TempFolder exeDir, workDir, docDir;
    WriteBytes(docDir / "doc.txt", "one\ntwo");
    EditorProcess editor(exeDir.Path(), "", workDir.Path());
    HWND main = editor.WaitForMainWindow();
    ASSERT_TRUE(main);
    PressKey('O', true);
    ASSERT_TRUE(AnswerFileDialog(editor, "開くファイルの選択", docDir / "doc.txt"));
    Sleep(500);
    EXPECT_EQ(editor.EditorText(), "one\ntwo");
    TypeText(main, "X");
    EXPECT_EQ(WindowText(main), "doc.txt * tovel editor");
    PressKey('S', true);
    Sleep(300);
    EXPECT_EQ(ReadBytes(docDir / "doc.txt"), "Xone\ntwo") << "an LF file keeps its LF";
    // The release of Ctrl+S changed nothing: the document stays clean, and the close asks nothing.
    EXPECT_EQ(WindowText(main), "doc.txt - tovel editor");
    EXPECT_EQ(CloseAnswering(editor, IDNO), "");
    EXPECT_TRUE(editor.WaitForExit());
    EXPECT_EQ(ReadBytes(docDir / "doc.txt"), "Xone\ntwo");
}

}  // namespace
}  // namespace e2e
