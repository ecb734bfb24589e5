// Start-up and close of the real editor: the command-line file, the settings file, the backup copy and
// failures that must be reported without trapping the user.
#include <gtest/gtest.h>

#include "tests/e2e/editor_process.h"

namespace e2e {
namespace {

std::string IniValue(const std::string& ini, const char* key) {
    char buf[256] = {};
    GetPrivateProfileStringA("Form", key, "<absent>", buf, sizeof buf, ini.c_str());
    return buf;
}

RECT WindowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

// Closes the editor through its close box and waits for the process to end.
void CloseEditor(EditorProcess& editor) {
    PostMessageA(editor.WaitForMainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(editor.WaitForExit()) << "the editor did not close";
}

TEST(StartUp, RelativeArgumentLoadsFromTheStartFolderAndCloseWritesBackupAndSettings) {
    TempFolder exeDir, workDir;
    CreateDirectoryA((workDir / "sub").c_str(), nullptr);
    WriteBytes(workDir / "sub\\memo.txt", "first\nsecond\rthird \x95\x5c\r\n");
    EditorProcess editor(exeDir.Path(), "sub\\memo.txt", workDir.Path());
    HWND main = editor.WaitForMainWindow();
    ASSERT_TRUE(main);
    EXPECT_EQ(WindowText(main), "sub\\memo.txt - tovel editor");
    EXPECT_EQ(editor.EditorText(), "first\nsecond\rthird \x95\x5c\r\n") << "every break as in the file";
    // First start without tovel.ini: the design position.
    const RECT r = WindowRect(main);
    EXPECT_EQ(r.left, 258);
    EXPECT_EQ(r.top, 176);
    EXPECT_FALSE(FileExists(exeDir / "tovel.ini")) << "nothing may be written before the first close";

    CloseEditor(editor);
    EXPECT_EQ(ReadBytes(workDir / "backup.tov"), "first\nsecond\rthird \x95\x5c\r\n") << "the file's own bytes";
    const std::string ini = exeDir / "tovel.ini";
    EXPECT_EQ(IniValue(ini, "Left"), "258");
    EXPECT_EQ(IniValue(ini, "Top"), "176");
    EXPECT_EQ(IniValue(ini, "Width"), std::to_string(r.right - r.left));
    EXPECT_EQ(IniValue(ini, "Height"), std::to_string(r.bottom - r.top));
    EXPECT_EQ(IniValue(ini, "Note.Color"), "-2147483643");
    EXPECT_EQ(IniValue(ini, "Note.Font.Color"), "-2147483640");
    EXPECT_EQ(IniValue(ini, "ToolBitmap"), "<absent>") << "the close never writes the dialog's keys";
    EXPECT_EQ(ReadBytes(workDir / "sub\\memo.txt"), "first\nsecond\rthird \x95\x5c\r\n")
        << "the file itself is untouched";
}

TEST(StartUp, RestoresBoundsFromTheSettingsFile) {
    TempFolder exeDir, workDir;
    WriteBytes(
        exeDir / "tovel.ini",
        "[Form]\r\nHeight=300\r\nWidth=0x1F4\r\nTop=$64\r\nLeft=x50\r\nNote.Color=255\r\nNote.Font.Color=-0x10\r\n");
    EditorProcess editor(exeDir.Path(), "", workDir.Path());
    HWND main = editor.WaitForMainWindow();
    ASSERT_TRUE(main);
    EXPECT_EQ(WindowText(main), "無題 - tovel editor");
    const RECT r = WindowRect(main);
    EXPECT_EQ(r.left, 80);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.right - r.left, 500);
    EXPECT_EQ(r.bottom - r.top, 300);
    CloseEditor(editor);
    const std::string ini = exeDir / "tovel.ini";
    EXPECT_EQ(IniValue(ini, "Note.Color"), "255");
    EXPECT_EQ(IniValue(ini, "Note.Font.Color"), "-2147483640") << "an unreadable value falls back to the default";
    EXPECT_EQ(IniValue(ini, "Width"), "500");
}

TEST(StartUp, UntitledArgumentLoadsNothing) {
    TempFolder exeDir, workDir;
    WriteBytes(workDir / "無題", "must not load");
    EditorProcess editor(exeDir.Path(), "無題", workDir.Path());
    HWND main = editor.WaitForMainWindow();
    ASSERT_TRUE(main);
    EXPECT_EQ(WindowText(main), "無題 - tovel editor");
    EXPECT_EQ(editor.EditorText(), "");
    CloseEditor(editor);
    EXPECT_EQ(ReadBytes(workDir / "backup.tov"), "");
}

TEST(StartUp, MissingFileIsReportedAndTheWindowStillOpens) {
    TempFolder exeDir, workDir;
    EditorProcess editor(exeDir.Path(), "\"no such.txt\"", workDir.Path());
    HWND box = editor.WaitForWindow("#32770");
    ASSERT_TRUE(box) << "no error box";
    EXPECT_EQ(WindowText(box), "no such.txt - tovel editor");
    EXPECT_NE(StaticTexts(box).find("ファイル no such.txt は開けません."), std::string::npos) << StaticTexts(box);
    PressButton(box, IDOK);
    HWND main = editor.WaitForMainWindow();
    ASSERT_TRUE(main);
    EXPECT_EQ(WindowText(main), "no such.txt - tovel editor");
    EXPECT_EQ(editor.EditorText(), "");
    CloseEditor(editor);
}

TEST(StartUp, BrokenToolbarPictureIsReportedAndTheFileStillLoads) {
    TempFolder exeDir, workDir;
    WriteBytes(workDir / "not-a-bitmap.bmp", "this is not a bitmap");
    WriteBytes(workDir / "doc.txt", "text");
    WriteBytes(exeDir / "tovel.ini", "[Form]\r\nToolBitmap=not-a-bitmap.bmp\r\n");
    EditorProcess editor(exeDir.Path(), "doc.txt", workDir.Path());
    HWND box = editor.WaitForWindow("#32770");
    ASSERT_TRUE(box) << "no error box";
    EXPECT_NE(StaticTexts(box).find("ビットマップイメージが不正です."), std::string::npos) << StaticTexts(box);
    PressButton(box, IDOK);
    HWND main = editor.WaitForMainWindow();
    ASSERT_TRUE(main);
    EXPECT_EQ(WindowText(main), "doc.txt - tovel editor");
    EXPECT_EQ(editor.EditorText(), "text");
    CloseEditor(editor);
}

TEST(Close, FailingBackupIsReportedAndTheWindowStillCloses) {
    const char* rofs = getenv("TOVEL_ROFS");
    if (!rofs) GTEST_SKIP() << "TOVEL_ROFS (a read-only folder) is not set";
    TempFolder exeDir;
    // A read-only current folder, and no profile folder to turn to: a file holds its name.
    ASSERT_TRUE(WriteBytes(LocalAppData(exeDir.Path()), "in the way"));
    EditorProcess editor(exeDir.Path(), "existing.txt", rofs);
    ASSERT_TRUE(editor.WaitForMainWindow());
    PostMessageA(editor.WaitForMainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    HWND box = editor.WaitForWindow("#32770");
    ASSERT_TRUE(box) << "no error box for the backup";
    EXPECT_NE(StaticTexts(box).find("ファイル backup.tov を作成できません."), std::string::npos) << StaticTexts(box);
    PressButton(box, IDOK);
    EXPECT_TRUE(editor.WaitForExit()) << "a failed backup trapped the window";
    EXPECT_EQ(IniValue(exeDir / "tovel.ini", "Left"), "258") << "the settings are still written";
}

TEST(Close, AReadOnlyCurrentFolderSendsTheBackupToTheProfileWithNoErrorBox) {
    const char* rofs = getenv("TOVEL_ROFS");
    if (!rofs) GTEST_SKIP() << "TOVEL_ROFS (a read-only folder) is not set";
    TempFolder exeDir;
    EditorProcess editor(exeDir.Path(), "existing.txt", rofs);
    ASSERT_TRUE(editor.WaitForMainWindow());
    CloseEditor(editor);  // an error box would keep it from ending
    EXPECT_EQ(ReadBytes(LocalAppData(exeDir.Path()) + "\\tovel\\backup.tov"), "original\r\n");
    EXPECT_EQ(IniValue(exeDir / "tovel.ini", "Left"), "258") << "the program's folder still takes the settings";
}

TEST(Close, TypedTextReachesTheBackup) {
    TempFolder exeDir, workDir;
    EditorProcess editor(exeDir.Path(), "", workDir.Path());
    HWND main = editor.WaitForMainWindow();
    ASSERT_TRUE(main);
    TypeText(main, "Hello\nWorld");
    EXPECT_EQ(editor.EditorText(), "Hello\r\nWorld");
    // The question's lone CR is shown as a line break.
    EXPECT_EQ(CloseAnswering(editor, IDNO), "無題 は変更されています。\r\n保存しますか?");
    ASSERT_TRUE(editor.WaitForExit());
    EXPECT_EQ(ReadBytes(workDir / "backup.tov"), "Hello\r\nWorld");
}

}  // namespace
}  // namespace e2e
