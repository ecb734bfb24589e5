// The file commands and the save question, as a user meets them, over test doubles. The scenarios named
// "never loses" are the ways a plainer implementation throws work away.
#include "document/document_commands.h"

#include <gtest/gtest.h>

#include "tests/unit/fake_code_page.h"
#include "tests/unit/fake_format_chooser.h"
#include "tests/unit/fakes.h"

namespace tovel {
namespace {

using test::FakeEditor;
using test::MemoryFiles;
using test::RecordingWindow;
using test::ScriptedDialogs;
using test::ScriptedFileDialogs;

class DocumentTest : public testing::Test {
protected:
    void SetUp() override {
        doc.Start("", "tovel editor");
        editor.changed = [this] { doc.TextChanged(); };
    }

    void TypeSomething(const std::string& text = "typed") {
        editor.text = text;
        doc.MarkModified();
    }

    DocumentState state;
    FakeEditor editor;
    MemoryFiles files;
    ScriptedFileDialogs fileDialogs;
    ScriptedDialogs dialogs;
    RecordingWindow window;
    test::TableCodePage codePage;
    test::ScriptedFormatChooser chooser;
    DocumentCommands doc{state, editor, files, fileDialogs, dialogs, window, codePage, chooser};
};

TEST_F(DocumentTest, TitlesFollowTheNameAndTheMarker) {
    EXPECT_EQ(window.caption, "無題 - tovel editor");
    EXPECT_EQ(window.applicationTitle, "無題 - tovel editor");
    doc.MarkModified();
    EXPECT_EQ(window.caption, "無題 * tovel editor");
    EXPECT_EQ(window.applicationTitle, "無題 - tovel editor") << "the taskbar never shows the marker";
    EXPECT_EQ(state.SavePrompt(), "無題 は変更されています。\r保存しますか?");
}

TEST_F(DocumentTest, CommandLineNameIsShownAsTypedAndSavedWhereItWasResolved) {
    doc.Start("sub\\memo.txt", "tovel editor");
    EXPECT_EQ(window.caption, "sub\\memo.txt - tovel editor");
    EXPECT_EQ(state.FullPath, "C:\\start\\sub\\memo.txt");
    TypeSomething();
    EXPECT_EQ(state.SavePrompt(), "sub\\memo.txt は変更されています。\r保存しますか?");
    EXPECT_TRUE(doc.Save());
    EXPECT_EQ(files.writes, std::vector<std::string>{"C:\\start\\sub\\memo.txt"});
    EXPECT_EQ(window.caption, "sub\\memo.txt - tovel editor");
}

TEST_F(DocumentTest, SaveWritesBackWhereTheDocumentCameFromWhateverWasBrowsedSince) {
    files.files["D:\\docs\\a.txt"] = "old";
    fileDialogs.opens.push_back("D:\\docs\\a.txt");
    doc.Open();
    EXPECT_EQ(window.caption, "a.txt - tovel editor");
    EXPECT_EQ(window.iconOf, "D:\\docs\\a.txt");
    TypeSomething("new");
    fileDialogs.saves.push_back(std::nullopt);  // another dialog browsed elsewhere and was cancelled
    doc.SaveAs();
    doc.Save();
    EXPECT_EQ(files.files["D:\\docs\\a.txt"], "new");
    EXPECT_EQ(files.writes, std::vector<std::string>{"D:\\docs\\a.txt"}) << "nothing else is written";
    EXPECT_EQ(state.ModMark, " - ");
}

TEST_F(DocumentTest, EveryChangeOfTheTextMarksTheDocumentButItsOwnLoadsDoNot) {
    files.files["D:\\a.txt"] = "file text";
    fileDialogs.opens.push_back("D:\\a.txt");
    doc.Open();  // the load changes the text: still clean
    EXPECT_EQ(state.ModMark, " - ");
    editor.SetText("pasted");  // a command's change, as the editor reports it
    EXPECT_EQ(window.caption, "a.txt * tovel editor");
    dialogs.answers.push_back(DialogResult::No);
    EXPECT_TRUE(doc.New());  // clearing for the new document is no edit either
    EXPECT_EQ(state.ModMark, " - ");
    EXPECT_EQ(window.caption, "無題 - tovel editor");
}

TEST_F(DocumentTest, AnAnswerThatIsNeitherYesNorNoCountsAsCancel) {
    TypeSomething("precious");
    dialogs.answers = {static_cast<DialogResult>(-1), static_cast<DialogResult>(0), DialogResult::Ok};
    EXPECT_FALSE(doc.New());
    fileDialogs.opens.push_back("D:\\other.txt");
    doc.Open();
    EXPECT_FALSE(doc.CloseQuery());
    EXPECT_EQ(editor.text, "precious");
    EXPECT_EQ(state.ModMark, " * ");
    EXPECT_EQ(fileDialogs.opens.size(), 1u) << "the open dialog never came";
}

TEST_F(DocumentTest, AnUnreadableDropIsRefusedBeforeTheSaveQuestion) {
    TypeSomething("precious");
    files.unreadable.push_back("D:\\folder");
    EXPECT_THROW(doc.Drop("D:\\folder"), Error);
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(editor.text, "precious");
    EXPECT_EQ(window.caption, "無題 * tovel editor");
}

TEST_F(DocumentTest, AStartupFileThatExistsButCannotBeLoadedLeavesTheDocumentUntitled) {
    files.unreadable.push_back("locked.txt");
    doc.Start("locked.txt", "tovel editor");
    EXPECT_THROW(doc.LoadStartupFile(), Error);
    EXPECT_TRUE(state.Untitled());
    EXPECT_EQ(window.caption, "無題 - tovel editor");
    TypeSomething("mine");
    fileDialogs.saves.push_back("D:\\mine.txt");
    EXPECT_TRUE(doc.Save());  // asks for a name instead of replacing the file the user never saw
    EXPECT_EQ(files.writes, std::vector<std::string>{"D:\\mine.txt"});

    // A name that is no file stays the document's name: Save creates it.
    doc.Start("new.txt", "tovel editor");
    EXPECT_THROW(doc.LoadStartupFile(), Error);
    EXPECT_EQ(window.caption, "new.txt - tovel editor");

    files.files["good.txt"] = "loaded";
    doc.Start("good.txt", "tovel editor");
    doc.LoadStartupFile();
    EXPECT_EQ(editor.text, "loaded");
    EXPECT_EQ(state.ModMark, " - ");
}

TEST_F(DocumentTest, AFileChangedByAnotherProgramIsNeverOverwrittenWithoutAsking) {
    files.files["D:\\a.txt"] = "mine";
    fileDialogs.opens.push_back("D:\\a.txt");
    doc.Open();
    TypeSomething("my edit");
    files.files["D:\\a.txt"] = "theirs";  // another program wrote meanwhile
    dialogs.answers = {DialogResult::No};
    EXPECT_FALSE(doc.Save());
    EXPECT_EQ(files.files["D:\\a.txt"], "theirs");
    EXPECT_EQ(state.ModMark, " * ");
    EXPECT_EQ(dialogs.asked.back(), "ファイル D:\\a.txt は他のプログラムによって変更されています。\r上書きしますか?");
    dialogs.answers = {DialogResult::Yes};
    EXPECT_TRUE(doc.Save());
    EXPECT_EQ(files.files["D:\\a.txt"], "my edit");
    // Saved here: the next save asks nothing.
    TypeSomething("again");
    EXPECT_TRUE(doc.Save());
    EXPECT_EQ(dialogs.asked.size(), 2u);
}

TEST_F(DocumentTest, NewOnACleanDocumentAsksNothing) {
    editor.text = "pasted from the menu";  // changed, but never by a key release
    EXPECT_TRUE(doc.New());
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(editor.text, "");
    EXPECT_EQ(window.caption, "無題 - tovel editor");
}

TEST_F(DocumentTest, YesThenCancelledSaveDialogNeverLosesTheText) {
    TypeSomething("precious");
    dialogs.answers = {DialogResult::Yes, DialogResult::Yes, DialogResult::Yes};
    fileDialogs.saves = {std::nullopt, std::nullopt, std::nullopt};
    EXPECT_FALSE(doc.New());
    doc.Open();
    EXPECT_FALSE(doc.CloseQuery());
    EXPECT_EQ(editor.text, "precious");
    EXPECT_EQ(state.ModMark, " * ");
    EXPECT_EQ(fileDialogs.unexpected, 0) << "Open must not show its dialog after the save did not happen";
}

TEST_F(DocumentTest, YesThenFailedSaveStopsWithTheErrorAndKeepsTheText) {
    files.files["C:\\d\\locked.txt"] = "on disk";
    fileDialogs.opens.push_back("C:\\d\\locked.txt");
    doc.Open();
    TypeSomething("edited");
    files.unwritable.push_back("C:\\d\\locked.txt");
    dialogs.answers = {DialogResult::Yes, DialogResult::Yes};
    fileDialogs.saves.push_back("C:\\d\\locked.txt");  // New's Yes always asks for a name
    EXPECT_THROW(doc.New(), Error);
    EXPECT_THROW(doc.CloseQuery(), Error);  // the error box shows it; the window stays
    EXPECT_EQ(editor.text, "edited");
    EXPECT_EQ(state.ModMark, " * ");
    EXPECT_EQ(files.files["C:\\d\\locked.txt"], "on disk");
}

TEST_F(DocumentTest, NoGoesOnAndCancelStops) {
    TypeSomething();
    dialogs.answers = {DialogResult::Cancel, DialogResult::No};
    EXPECT_FALSE(doc.New());
    EXPECT_EQ(editor.text, "typed");
    EXPECT_TRUE(doc.New());
    EXPECT_EQ(editor.text, "");
    EXPECT_EQ(state.ModMark, " - ");
}

TEST_F(DocumentTest, NewFromATemplateIsAnUntitledCleanDocumentAndCancelStopsIt) {
    files.files["C:\\app\\doc\\tag.txt"] = "<html>\n";
    TypeSomething("draft");
    dialogs.answers = {DialogResult::Cancel, DialogResult::No};
    EXPECT_FALSE(doc.NewFrom("C:\\app\\doc\\tag.txt"));
    EXPECT_EQ(editor.text, "draft");
    EXPECT_EQ(state.ModMark, " * ");
    EXPECT_EQ(dialogs.asked.size(), 1u) << "a modified document asks first";
    EXPECT_TRUE(doc.NewFrom("C:\\app\\doc\\tag.txt"));
    EXPECT_EQ(editor.text, "<html>\n") << "the template's bytes, its line break kept";
    EXPECT_EQ(state.ModMark, " - ");
    EXPECT_EQ(window.caption, "無題 - tovel editor") << "the template's load marks nothing";
    EXPECT_TRUE(doc.CloseQuery()) << "an unchanged template asks nothing";
    editor.Undo();
    EXPECT_EQ(editor.text, "draft") << "one undo brings back the text from before";
    EXPECT_EQ(window.caption, "無題 * tovel editor") << "as a change of the new document";
    dialogs.answers = {DialogResult::No};
    EXPECT_THROW(doc.NewFrom("C:\\none\\doc\\tag.txt"), Error);
    EXPECT_EQ(editor.text, "") << "as New left it";
    EXPECT_EQ(state.ModMark, " - ");
    editor.Undo();
    EXPECT_EQ(editor.text, "draft");
}

TEST_F(DocumentTest, NewYesSavesANamedDocumentToItsOwnFileAndSaveAsProposesItsName) {
    files.files["C:\\d\\n.txt"] = "x";
    fileDialogs.opens.push_back("C:\\d\\n.txt");
    doc.Open();
    TypeSomething("y");
    dialogs.answers = {DialogResult::Yes};
    EXPECT_TRUE(doc.New());
    EXPECT_EQ(files.files["C:\\d\\n.txt"], "y") << "Yes saves the document where it came from";
    EXPECT_TRUE(fileDialogs.proposed.empty()) << "no dialog for a named document";
    EXPECT_EQ(window.caption, "無題 - tovel editor");

    fileDialogs.opens.push_back("C:\\d\\n.txt");
    doc.Open();
    fileDialogs.saves.push_back(std::nullopt);
    doc.SaveAs();
    EXPECT_EQ(fileDialogs.proposed, std::vector<std::string>{"C:\\d\\n.txt"}) << "its own name, not the last one";
}

// A file changed elsewhere asks with No as its default (Enter keeps the other program's version); a read-only
// file is never replaced: the user is told why and may save under another name.
TEST_F(DocumentTest, SaveOverAChangedOrReadOnlyFileAsksAndReplacesNothingUnasked) {
    files.files["C:\\d\\r.txt"] = "x";
    fileDialogs.opens.push_back("C:\\d\\r.txt");
    doc.Open();
    TypeSomething("mine");
    files.files["C:\\d\\r.txt"] = "changed by another program";
    dialogs.answers = {DialogResult::No};
    EXPECT_FALSE(doc.Save());
    EXPECT_EQ(dialogs.defaults.back(), DialogResult::No);
    EXPECT_EQ(files.files["C:\\d\\r.txt"], "changed by another program");

    files.files["C:\\d\\r.txt"] = "x";
    fileDialogs.opens.push_back("C:\\d\\r.txt");
    dialogs.answers = {DialogResult::No};
    doc.Open();  // No at the save question: the file's text again
    files.readOnly = {"C:\\d\\r.txt"};
    TypeSomething("mine");
    dialogs.answers = {DialogResult::Yes};
    fileDialogs.saves.push_back("C:\\d\\r2.txt");
    EXPECT_TRUE(doc.Save());
    EXPECT_NE(dialogs.asked.back().find("読み取り専用"), std::string::npos) << dialogs.asked.back();
    EXPECT_EQ(files.files["C:\\d\\r.txt"], "x");
    EXPECT_EQ(files.files["C:\\d\\r2.txt"], "mine");
    EXPECT_EQ(state.CurrentName, "r2.txt");
}

TEST_F(DocumentTest, OpenNoThenCancelledDialogChangesNothing) {
    TypeSomething();
    dialogs.answers = {DialogResult::No};
    fileDialogs.opens.push_back(std::nullopt);
    doc.Open();
    EXPECT_EQ(state.ModMark, " * ");
    EXPECT_EQ(window.caption, "無題 * tovel editor");
    EXPECT_EQ(editor.text, "typed");
}

TEST_F(DocumentTest, FailedOpenLeavesEverythingAsItWas) {
    TypeSomething("mine");
    dialogs.answers = {DialogResult::No};
    fileDialogs.opens.push_back("C:\\gone.txt");
    EXPECT_THROW(doc.Open(), Error);
    EXPECT_EQ(editor.text, "mine");
    EXPECT_EQ(window.caption, "無題 * tovel editor");
    EXPECT_EQ(window.iconOf, "");
}

TEST_F(DocumentTest, CancelledSaveAsIsNotASave) {
    TypeSomething();
    fileDialogs.saves.push_back(std::nullopt);
    EXPECT_FALSE(doc.Save());
    EXPECT_EQ(state.ModMark, " * ");
    EXPECT_EQ(window.caption, "無題 * tovel editor");
    EXPECT_TRUE(files.writes.empty());
}

TEST_F(DocumentTest, SaveAsNamesTheDocumentAndFailedSaveAsKeepsTheOldName) {
    TypeSomething("text");
    fileDialogs.saves.push_back("C:\\w\\\x95\x5c.txt");  // 表.txt: its trail byte is not a separator
    EXPECT_TRUE(doc.Save());
    EXPECT_EQ(window.caption, "\x95\x5c.txt - tovel editor");
    EXPECT_EQ(window.applicationTitle, "\x95\x5c.txt - tovel editor");
    TypeSomething("more");
    files.unwritable.push_back("C:\\w\\b.txt");
    fileDialogs.saves.push_back("C:\\w\\b.txt");
    EXPECT_THROW(doc.SaveAs(), Error);
    EXPECT_EQ(state.CurrentName, "\x95\x5c.txt");
    EXPECT_EQ(window.caption, "\x95\x5c.txt * tovel editor");
}

TEST_F(DocumentTest, CloseAsksOnlyWhenModified) {
    EXPECT_TRUE(doc.CloseQuery());
    TypeSomething();
    dialogs.answers = {DialogResult::Cancel, DialogResult::No};
    EXPECT_FALSE(doc.CloseQuery());
    EXPECT_TRUE(doc.CloseQuery());
    EXPECT_EQ(dialogs.asked.size(), 2u);
}

TEST_F(DocumentTest, DroppedFileBecomesTheDocumentAfterTheQuestion) {
    files.files["C:\\prev.txt"] = "prev";
    fileDialogs.opens.push_back("C:\\prev.txt");
    doc.Open();
    TypeSomething("unsaved");
    files.files["E:\\drop\\d.txt"] = "dropped";
    dialogs.answers = {DialogResult::Cancel};
    doc.Drop("E:\\drop\\d.txt");
    EXPECT_EQ(editor.text, "unsaved") << "Cancel keeps everything";

    dialogs.answers = {DialogResult::No};
    doc.Drop("E:\\drop\\d.txt");
    EXPECT_EQ(editor.text, "dropped");
    EXPECT_EQ(window.caption, "E:\\drop\\d.txt - tovel editor plus!");
    EXPECT_EQ(window.applicationTitle, "d.txt - tovel editor");
    EXPECT_EQ(window.iconOf, "E:\\drop\\d.txt");
    TypeSomething("changed drop");
    doc.Save();
    EXPECT_EQ(files.files["E:\\drop\\d.txt"], "changed drop");
    EXPECT_EQ(files.files["C:\\prev.txt"], "prev") << "the previous document is never overwritten";
}

// Drops on a clean document ask nothing; the save then writes the file dropped last, and no other.
TEST_F(DocumentTest, DropThenSaveWritesTheDroppedFileOnly) {
    files.files["C:\\d\\a.txt"] = "A";
    files.files["C:\\d\\b.txt"] = "B";
    doc.Drop("C:\\d\\a.txt");
    doc.Drop("C:\\d\\b.txt");
    editor.SetText("edited b");  // a change, as the editor reports it
    EXPECT_TRUE(doc.Save());
    EXPECT_EQ(files.files["C:\\d\\b.txt"], "edited b");
    EXPECT_EQ(files.files["C:\\d\\a.txt"], "A");
    EXPECT_EQ(window.caption, "b.txt - tovel editor");
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(DocumentTest, AFileLargerThanTheEditorHoldsIsRefusedWholeByEveryWayIn) {
    files.files["C:\\big.txt"] = std::string(64, 'x');
    editor.capacity = 63;
    const std::function<void()> ways[] = {
        [&] { fileDialogs.opens.push_back("C:\\big.txt"), doc.Open(); },
        [&] { doc.Drop("C:\\big.txt"); },
    };
    for (const auto& way : ways) {
        TypeSomething("mine");
        dialogs.answers = {DialogResult::No};
        try {
            way();
            ADD_FAILURE() << "loaded";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "文字列の大きさが メモ の制限を越えました");
        }
        EXPECT_EQ(editor.text, "mine") << "not one byte of the file, none of the text lost";
        EXPECT_EQ(state.ModMark, " * ");
        EXPECT_EQ(window.caption, "無題 * tovel editor");
    }
    EXPECT_EQ(files.files["C:\\big.txt"], std::string(64, 'x'));
    EXPECT_TRUE(files.writes.empty());
}

TEST_F(DocumentTest, FailedDropLeavesTheDocument) {
    TypeSomething("keep");
    dialogs.answers = {DialogResult::No};
    EXPECT_THROW(doc.Drop("C:\\folder"), Error);
    EXPECT_EQ(editor.text, "keep");
    EXPECT_EQ(window.caption, "無題 * tovel editor");
}

}  // namespace
}  // namespace tovel
