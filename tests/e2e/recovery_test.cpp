// Unsaved text survives a kill: the next start asks, and Yes brings the text back exactly, under its
// name, still marked modified. The copy lives in the user's own folder.
#include <gtest/gtest.h>

#include "tests/e2e/editor_process.h"

namespace e2e {
namespace {

TEST(Recovery, TextTypedBeforeAKillComesBackAtTheNextStart) {
    TempFolder exeDir, workDir;
    WriteBytes(workDir / "memo.txt", "saved line\r\n");
    {
        EditorProcess editor(exeDir.Path(), "memo.txt", workDir.Path());
        HWND main = editor.WaitForMainWindow();
        ASSERT_TRUE(main);
        PressKey(VK_END, true);
        TypeText(main, "typed, never saved");
        TypeUnicode(main, L" 表示");
        Sleep(2500);  // the copy is written within about two seconds
    }                 // killed: TerminateProcess
    // The copy is the user's own, not beside the program where every user of the install would see it.
    const std::string copies = LocalAppData(exeDir.Path()) + "\\tovel\\recovery\\";
    EXPECT_FALSE(TempFolder::Names(copies).empty());
    EXPECT_TRUE(TempFolder::Names(exeDir / "recovery\\").empty());

    EditorProcess editor(exeDir.Path(), "", workDir.Path());
    HWND box = editor.WaitForWindow("#32770");
    ASSERT_TRUE(box) << "the recovery question";
    EXPECT_NE(StaticTexts(box).find(workDir / "memo.txt"), std::string::npos) << "the full path Save writes to";
    PressButton(box, IDYES);
    HWND main = editor.WaitForMainWindow();
    ASSERT_TRUE(main);
    Sleep(300);
    EXPECT_EQ(editor.EditorText(), "saved line\r\ntyped, never saved 表示");
    EXPECT_EQ(WindowText(main), "memo.txt * tovel editor");

    // Save writes where the text came from; the copy then goes.
    PressKey('S', true);
    Sleep(300);
    EXPECT_EQ(ReadBytes(workDir / "memo.txt"), "saved line\r\ntyped, never saved 表示");
    CloseAnswering(editor, IDNO);
    ASSERT_TRUE(editor.WaitForExit());
    EXPECT_TRUE(TempFolder::Names(copies).empty()) << "no copy left after a normal close";
}

}  // namespace
}  // namespace e2e
