// Big files on the real main window and editor: an open or a save long enough to show its progress, and
// stopped there with Esc, leaves the text, its undo record, the name and the file as they were.
#include <gtest/gtest.h>

#include "app/win32/tovel_unit.h"
#include "tests/win32/dialog_answerer.h"
#include "tests/win32/drop_files.h"
#include "tests/win32/main_window_fixture.h"
#include "tests/win32/test_folder.h"

namespace tovel {
namespace {

using test::Act;

// (Big texts are compared with ==: a failure must not print them.)
// About `mb` MB of 80-byte Shift-JIS lines (the component wraps short lines quickly).
std::string BigText(std::size_t mb) {
    const std::string line = "吾輩は猫である。名前はまだ無い。" + std::string(44, 'a') + "\r\n";
    std::string text;
    text.reserve((mb << 20) + line.size());
    while (text.size() < (mb << 20)) text += line;
    return text;
}

bool TemporaryFileLeft(const std::string& folder) {
    for (const std::string& name : test::TestFolder::Names(folder))
        if (name.rfind("~tov", 0) == 0) return true;
    return false;
}

class BigFilesTest : public test::MainWindowFixture {
protected:
    BigFilesTest() {
        ShowWindow(form.Handle(), SW_SHOW);
        form.Progress().SetShowAfter(0);  // at the first step, however fast this machine reads
    }
    void Drop(const std::string& path) {
        SendMessageA(form.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({path})), 0);
    }
    ScintillaEditor& Note() { return form.Note(); }
};

TEST_F(BigFilesTest, AnOpenStoppedWithEscLeavesTheTextItsUndoAndTheName) {
    const std::string big = folder / "big.txt";
    ASSERT_TRUE(test::WriteBytes(big, BigText(200)));
    test::WriteBytes(folder / "small.txt", "first\r\n");
    Drop(folder / "small.txt");
    SendMessageA(Note().Handle(), WM_CHAR, 'k', 0);
    ASSERT_EQ(Note().Text(), "kfirst\r\n");
    bool mainWindowTookInput = true;
    {
        test::DialogAnswerer answer(
            {{Act::Click("いいえ(&N)")},
             {Act::Call([&](HWND) { mainWindowTookInput = IsWindowEnabled(form.Handle()); }), Act::Escape()}});
        Drop(big);
        ASSERT_EQ(answer.Seen().size(), 2u);
        EXPECT_EQ(answer.Seen()[1].caption, "ファイルを開く");
        EXPECT_EQ(answer.Unexpected(), 0) << "a stopped open is silent";
    }
    EXPECT_FALSE(mainWindowTookInput) << "the program is modal to the progress";
    EXPECT_TRUE(Note().TextView() == "kfirst\r\n");
    EXPECT_EQ(form.Document().CurrentName, "small.txt");
    EXPECT_EQ(form.Document().ModMark, " * ");
    Note().Undo();
    EXPECT_TRUE(Note().TextView() == "first\r\n") << "the undo record stays";
    // The window closes without the save question.
    test::DialogAnswerer no({{Act::Click("いいえ(&N)")}});
    Drop(folder / "small.txt");
    EXPECT_EQ(form.Document().ModMark, " - ");
}

TEST_F(BigFilesTest, ASaveStoppedWithEscLeavesTheFileAndTheDocumentUnsaved) {
    const std::string path = folder / "doc.txt";
    test::WriteBytes(path, "old contents\r\n");
    Drop(path);
    const std::string text = BigText(48);  // three pieces; shown, so wrapped at the end
    Note().ReplaceText(text);
    ASSERT_EQ(form.Document().ModMark, " * ");
    {
        test::DialogAnswerer answer({{Act::Escape()}});
        form.RunCommand(cmdSaveS1);
        ASSERT_EQ(answer.Seen().size(), 1u);
        EXPECT_EQ(answer.Seen()[0].caption, "ファイルの保存");
        EXPECT_EQ(answer.Unexpected(), 0) << "a stopped save is silent";
    }
    EXPECT_TRUE(test::ReadBytes(path) == "old contents\r\n");
    EXPECT_FALSE(TemporaryFileLeft(folder.Path())) << "the partly written copy is gone";
    EXPECT_EQ(form.Document().ModMark, " * ");
    form.Progress().SetShowAfter(60000);
    form.RunCommand(cmdSaveS1);
    EXPECT_EQ(form.Document().ModMark, " - ");
    EXPECT_TRUE(test::ReadBytes(path) == text);
    EXPECT_FALSE(TemporaryFileLeft(folder.Path()));
}

}  // namespace
}  // namespace tovel
