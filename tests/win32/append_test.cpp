// Append-open and append-save on the real main window, with the real open and save dialogs and files:
// dialogs closed without a choice, and the files the real file layer refuses. How the text and the file
// are joined is tested on the host.
#include <gtest/gtest.h>

#include "app/win32/tovel_unit.h"
#include "tests/win32/dialog_answerer.h"
#include "tests/win32/main_window_fixture.h"
#include "tests/win32/test_folder.h"
#include "tests/win32/test_window.h"

namespace tovel {
namespace {

using test::Act;
using test::DialogAnswerer;
using test::ReadBytes;
using test::WriteBytes;

class AppendTest : public test::MainWindowFixture {
protected:
    ~AppendTest() override { DropQueuedMessages(); }
    // Append-open of a file chosen in the open dialog.
    void MixOpen(const std::string& path) {
        DialogAnswerer answer({{Act::Type(path), Act::Enter()}});
        form.RunCommand(cmdMixOpenM1);
        EXPECT_TRUE(answer.Done());
    }

    // Apart from the program's folder, so that the files appended to are all this folder holds.
    test::TestFolder files;
};

TEST_F(AppendTest, CancelledDialogsDoNothing) {
    WriteBytes(files / "add.txt", "a");
    MixOpen(files / "add.txt");  // the list now holds a line
    form.Note().SetText("kept");
    {
        DialogAnswerer answer({{Act::Escape()}});
        form.RunCommand(cmdMixOpenM1);
        form.RunCommand(cmdMixSaveI1);
        EXPECT_EQ(answer.Unexpected(), 1) << "the save dialog, closed through its close box";
    }
    EXPECT_EQ(form.Note().Text(), "kept");
    EXPECT_EQ(files.Names(), std::vector<std::string>{"add.txt"}) << "nothing written anywhere";
}

TEST_F(AppendTest, AppendSaveRefusesWhatItCannotKeepWhole) {
    form.Note().SetText("x");
    // A name that is no file: nothing is created.
    {
        DialogAnswerer answer({{Act::Type(files / "new.txt"), Act::Enter()}, {Act::Enter()}});
        form.RunCommand(cmdMixSaveI1);
        ASSERT_EQ(answer.Seen().size(), 2u);
        EXPECT_EQ(answer.Seen()[1].statics.back(), "ファイル " + files / "new.txt" + " は開けません.");
    }
    EXPECT_TRUE(files.Names().empty());
    // A file holding NUL would lose everything after it: refused, the file untouched.
    WriteBytes(files / "bin.dat", std::string("p\0q", 3));
    {
        DialogAnswerer answer({{Act::Type(files / "bin.dat"), Act::Enter()}, {Act::Click("はい(&Y)")}, {Act::Enter()}});
        form.RunCommand(cmdMixSaveI1);
        ASSERT_EQ(answer.Seen().size(), 3u);
        EXPECT_EQ(answer.Seen()[2].statics.back(),
                  "ファイル " + files / "bin.dat" + " は NUL 文字を含むため開けません.");
    }
    EXPECT_EQ(ReadBytes(files / "bin.dat"), std::string("p\0q", 3));
}

// The text crosses between the Shift-JIS document and UTF-8 files through the system's code page.
TEST_F(AppendTest, AppendsCrossBetweenShiftJisAndUtf8Files) {
    const std::string nihon = "\xE6\x97\xA5\xE6\x9C\xAC";  // 日本 in UTF-8
    WriteBytes(files / "add.txt", nihon + "\n");
    form.Note().SetText("x");
    MixOpen(files / "add.txt");
    EXPECT_EQ(form.Note().Text(), "x\r\n日本\r\n");

    WriteBytes(files / "log.txt", nihon + "\n");
    form.Note().SetText("表");
    {
        DialogAnswerer answer({{Act::Type(files / "log.txt"), Act::Enter()}, {Act::Click("はい(&Y)")}, {Act::Enter()}});
        form.RunCommand(cmdMixSaveI1);
        ASSERT_EQ(answer.Seen().size(), 3u);
        EXPECT_EQ(answer.Seen()[2].statics.back(), "追加で保存しました");
    }
    EXPECT_EQ(ReadBytes(files / "log.txt"), nihon + "\n\xE8\xA1\xA8\n") << "表 in UTF-8 after the file's own bytes";
}

}  // namespace
}  // namespace tovel
