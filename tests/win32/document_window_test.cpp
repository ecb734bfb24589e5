// The document on the real main window: files dropped from the shell, the save question on the real
// dialog, and the window icon following the opened file.
#include <gtest/gtest.h>

#include "app/win32/tovel_unit.h"
#include "tests/win32/dialog_answerer.h"
#include "tests/win32/drop_files.h"
#include "tests/win32/main_window_fixture.h"
#include "tests/win32/test_folder.h"
#include "tests/win32/test_window.h"

namespace tovel {
namespace {

using test::Act;
using test::DialogAnswerer;

std::string Caption(HWND hwnd) { return test::WindowCaption(hwnd); }

class DocumentWindowTest : public test::MainWindowFixture {
protected:
    ~DocumentWindowTest() override { DropQueuedMessages(); }
    void TypeInEditor() {
        SendMessageA(form.Note().Handle(), WM_CHAR, 'k', 0);
        SendMessageA(form.Note().Handle(), WM_KEYUP, 'K', 0xC0000001);
    }
    void Drop(const std::vector<std::string>& paths) {
        SendMessageA(form.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop(paths)), 0);
    }
};

TEST_F(DocumentWindowTest, DropOnAModifiedDocumentAsksFirstAndCancelKeepsIt) {
    test::WriteBytes(folder / "dropped.txt", "from the shell");
    TypeInEditor();
    ASSERT_EQ(Caption(form.Handle()), "無題 * tovel editor");
    {
        DialogAnswerer answer({{Act::Click("キャンセル")}});
        Drop({folder / "dropped.txt"});
        ASSERT_EQ(answer.Seen().size(), 1u);
        EXPECT_EQ(answer.Seen()[0].caption, "確認");
    }
    EXPECT_EQ(form.Note().Text(), "k");
    {
        DialogAnswerer answer({{Act::Click("いいえ(&N)")}});
        Drop({folder / "dropped.txt", folder / "second.txt", folder / "third.txt"});
    }
    EXPECT_EQ(form.Note().Text(), "from the shell") << "only the first dropped file loads";
    EXPECT_EQ(Caption(form.Handle()), folder / "dropped.txt - tovel editor plus!");
    EXPECT_EQ(app.Title(), "dropped.txt - tovel editor");
    EXPECT_EQ(form.Document().ModMark, " - ");
}

TEST_F(DocumentWindowTest, AnUnreadableDropIsRefusedBeforeTheSaveQuestionAndChangesNothing) {
    form.Note().SetText("kept");  // a changed document: a readable drop would ask to save first
    const std::string sub = folder / "sub";
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    for (const std::string& dropped : {folder / "missing.txt", sub}) {
        DialogAnswerer answer({{Act::Enter()}});
        Drop({dropped});
        ASSERT_EQ(answer.Seen().size(), 1u) << "only the error, no save question";
        ASSERT_FALSE(answer.Seen()[0].statics.empty());
        EXPECT_EQ(answer.Seen()[0].statics.back(), "ファイル " + dropped + " は開けません.");
        EXPECT_EQ(form.Note().Text(), "kept");
        EXPECT_EQ(Caption(form.Handle()), "無題 * tovel editor");
    }
}

TEST_F(DocumentWindowTest, YesOnCloseWithACancelledSaveDialogKeepsTheWindowOpen) {
    TypeInEditor();
    DialogAnswerer answer({{Act::Click("はい(&Y)")}, {Act::Escape()}});
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(form.Handle())) << "the text would survive only in the backup";
    EXPECT_EQ(answer.Seen().size(), 2u);
    EXPECT_EQ(form.Note().Text(), "k");
    EXPECT_FALSE(test::FileExists(folder / "tovel.ini")) << "the close did not run";
}

TEST_F(DocumentWindowTest, ACloseOrADropWhileTheSaveQuestionIsOpenDoesNothing) {
    test::WriteBytes(folder / "dropped.txt", "from the shell");
    TypeInEditor();
    LRESULT logOff = TRUE;
    auto requestMore = [&](HWND) {
        PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
        PostMessageA(form.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({folder / "dropped.txt"})),
                     0);
        logOff = SendMessageA(form.Handle(), WM_QUERYENDSESSION, 0, 0);
    };
    auto wait = [](HWND) {};
    DialogAnswerer answer({{Act::Call(requestMore), Act::Call(wait), Act::Call(wait), Act::Click("キャンセル")}});
    SendMessageA(form.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(answer.Seen().size(), 1u) << "one question only";
    EXPECT_EQ(answer.Unexpected(), 0);
    EXPECT_EQ(logOff, FALSE) << "the session waits for the open question";
    EXPECT_TRUE(IsWindow(form.Handle()));
    EXPECT_EQ(form.Note().Text(), "k");
    EXPECT_EQ(Caption(form.Handle()), "無題 * tovel editor") << "the drop came to nothing";
}

TEST_F(DocumentWindowTest, LogOffAsksTheSameQuestionAndCancelRefusesIt) {
    TypeInEditor();
    DialogAnswerer answer({{Act::Click("キャンセル")}, {Act::Click("いいえ(&N)")}});
    EXPECT_EQ(SendMessageA(form.Handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
    EXPECT_EQ(SendMessageA(form.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
}

TEST_F(DocumentWindowTest, OpenedFileGivesTheCaptionBarItsIcon) {
    const auto own = reinterpret_cast<LRESULT>(LoadIconA(GetModuleHandleA(nullptr), "MAINICON"));
    ASSERT_NE(own, 0) << "the test program carries the program's icon";
    EXPECT_EQ(GetClassLongPtrA(form.Handle(), GCLP_HICON), own) << "the program's own icon from the start";
    test::WriteBytes(folder / "page.txt", "x");
    DialogAnswerer answer({{Act::Type(folder / "page.txt"), Act::Enter()}});
    form.Commands().OpenO1Click();
    EXPECT_EQ(form.Note().Text(), "x");
    EXPECT_EQ(Caption(form.Handle()), "page.txt - tovel editor");
    char buffer[MAX_PATH * 2] = {};
    (folder / "page.txt").copy(buffer, sizeof buffer - 1);
    WORD index = 0;
    HICON associated = ExtractAssociatedIconA(GetModuleHandleA(nullptr), buffer, &index);
    const auto after = SendMessageA(form.Handle(), WM_GETICON, ICON_BIG, 0);
    if (associated) {
        EXPECT_NE(after, 0);
        EXPECT_NE(after, own);
        DestroyIcon(associated);
    } else {
        EXPECT_EQ(after, own) << "no associated icon: the program's own stays";
    }
    std::printf("associated icon found: %s\n", associated ? "yes" : "no");
}

}  // namespace
}  // namespace tovel
