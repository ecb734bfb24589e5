// Append-open and append-save on the real main window, with the real open and save dialogs and files.
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

std::string Caption(HWND hwnd) { return test::WindowCaption(hwnd); }

class AppendTest : public test::MainWindowFixture {
protected:
    ~AppendTest() override { DropQueuedMessages(); }
    // Append-open of a file chosen in the open dialog.
    void MixOpen(const std::string& path) {
        DialogAnswerer answer({{Act::Type(path), Act::Enter()}});
        form.RunCommand(cmdMixOpenM1);
        EXPECT_TRUE(answer.Done());
    }
    // Append-save to an existing file: the save dialog, its own replace question, then the message.
    std::vector<test::SeenDialog> MixSave(const std::string& path) {
        DialogAnswerer answer({{Act::Type(path), Act::Enter()}, {Act::Click("はい(&Y)")}, {Act::Enter()}});
        form.RunCommand(cmdMixSaveI1);
        return answer.Seen();
    }

    // Apart from the program's folder, so that the files appended to are all this folder holds.
    test::TestFolder files;
};

struct OpenCase {
    const char* editor;
    const char* file;
    const char* after;
};

TEST_F(AppendTest, AppendOpenAddsTheFilesLinesAsOneMoreLine) {
    for (const OpenCase& c : {OpenCase{"x", "a\r\nb", "x\r\na\r\nb\r\n"}, OpenCase{"x", "a\nb\n", "x\r\na\r\nb\r\n"},
                              OpenCase{"x\r\n", "a\r\nb", "x\r\na\r\nb\r\n\r\n"}, OpenCase{"x", "", "x\r\n"},
                              OpenCase{"", "表\\", "表\\\r\n\r\n"}}) {
        form.Note().SetText(c.editor);
        WriteBytes(files / "add.txt", c.file);
        MixOpen(files / "add.txt");
        EXPECT_EQ(form.Note().Text(), c.after) << c.editor << " + " << c.file;
    }
    EXPECT_EQ(form.Document().ModMark, " * ") << "the text changed";
    EXPECT_EQ(Caption(form.Handle()), "無題 * tovel editor") << "the name stays";
}

TEST_F(AppendTest, AppendSaveAddsTheEditorsTextToTheFile) {
    WriteBytes(files / "log.txt", "a\r\nb");
    form.Note().SetText("x\r\ny");
    const auto seen = MixSave(files / "log.txt");
    EXPECT_EQ(ReadBytes(files / "log.txt"), "a\r\nb\r\nx\r\ny\r\n");
    ASSERT_EQ(seen.size(), 3u);
    ASSERT_FALSE(seen[2].statics.empty());
    EXPECT_EQ(seen[2].statics.back(), "追加で保存しました");
    EXPECT_EQ(form.Document().ModMark, " * ") << "the document is not saved by this";
    EXPECT_EQ(Caption(form.Handle()), "無題 * tovel editor");
    EXPECT_EQ(files.Names(), std::vector<std::string>{"log.txt"});
}

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

}  // namespace
}  // namespace tovel
