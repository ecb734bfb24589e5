// Recovery copies on the real file system: a running instance's copy is never offered to another, a
// copy whose owner is gone is, each user's copies live in that user's folder, and no entry of the folder
// that cannot be read keeps the others from being offered or this run's copy from being written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include "document/recovery_keeper.h"
#include "platform/win32/scintilla_editor.h"
#include "platform/win32/win32_recovery_store.h"
#include "tests/unit/fakes.h"
#include "tests/win32/main_window_fixture.h"
#include "tests/win32/test_folder.h"
#include "tests/win32/test_window.h"

namespace tovel {
namespace {

using test::TestFolder;

TEST(RecoveryStore, ARunningInstancesCopyIsNeverOfferedAndALeftOneIs) {
    TestFolder app, perUser;
    auto first = std::make_unique<Win32RecoveryStore>(app.Path(), perUser.Path());
    ASSERT_EQ(first->Folder(), perUser.Path());
    first->Write("first's ", "text");
    Sleep(20);  // another start time, another name
    Win32RecoveryStore second(app.Path(), perUser.Path());
    EXPECT_NE(second.OwnCopy(), first->OwnCopy());
    EXPECT_TRUE(second.LeftBehind().empty()) << "the first instance still runs";

    const std::string copy = first->OwnCopy();
    first.reset();  // the instance ends without removing its copy, as a killed one does
    const auto left = second.LeftBehind();
    ASSERT_EQ(left, (std::vector<LeftCopy>{{copy, false}}));
    EXPECT_EQ(second.Read(copy), "first's text");
    second.Discard(copy);
    EXPECT_TRUE(second.LeftBehind().empty());
    EXPECT_FALSE(test::FileExists(copy));
}

TEST(RecoveryStore, ACopyOneInstanceOffersIsNotOfferedByAnotherMeanwhile) {
    TestFolder app, perUser;
    ASSERT_TRUE(test::WriteBytes(perUser / "copy-00000001-00000001.tov", "left"));
    ASSERT_TRUE(test::WriteBytes(perUser / "copy-00000001-00000001.lock", ""));  // stale, after a power cut
    auto first = std::make_unique<Win32RecoveryStore>(app.Path(), perUser.Path());
    ASSERT_EQ(first->LeftBehind().size(), 1u);
    EXPECT_EQ(first->LeftBehind().size(), 1u) << "still its own to offer";
    Win32RecoveryStore second(app.Path(), perUser.Path());
    EXPECT_TRUE(second.LeftBehind().empty());
    first.reset();  // a copy kept for later is offered again once that instance is gone
    EXPECT_EQ(second.LeftBehind().size(), 1u);
}

TEST(RecoveryStore, WriteReplacesTheCopyWholeAndRemoveTakesIt) {
    TestFolder app, perUser;
    Win32RecoveryStore store(app.Path(), perUser.Path());
    store.Write("head\r\n", std::string(100000, 'a'));
    store.Write("sh", "ort");
    EXPECT_EQ(test::ReadBytes(store.OwnCopy()), "short");
    store.Remove();
    EXPECT_FALSE(test::FileExists(store.OwnCopy()));
    store.Remove();  // nothing to remove: no harm
}

TEST(RecoveryStore, ANewCopyIsWrittenInPartsBesideTheOldOneAndReplacesItWhole) {
    TestFolder app, perUser;
    Win32RecoveryStore store(app.Path(), perUser.Path());
    store.Write("old ", "copy");
    store.BeginCopy(4);
    store.ContinueCopy("base ");
    store.ContinueCopy(std::string(100000, 'b'));
    EXPECT_EQ(test::ReadBytes(store.OwnCopy()), "old copy") << "the copy stays until the new one is complete";
    Win32RecoveryStore other(app.Path(), perUser.Path());
    EXPECT_TRUE(other.LeftBehind().empty()) << "a copy being written is nobody's left copy";
    store.FinishCopy("HEAD", "+tail");
    EXPECT_EQ(test::ReadBytes(store.OwnCopy()), "HEADbase " + std::string(100000, 'b') + "+tail");
    store.Append("more");
    store.Append("");
    EXPECT_EQ(test::ReadBytes(store.OwnCopy()).substr(100009), "+tailmore");

    // An abandoned copy leaves nothing behind; a finish without a begin, or with a header of another
    // size, is refused and changes nothing.
    const std::string before = test::ReadBytes(store.OwnCopy());
    store.BeginCopy(2);
    store.ContinueCopy("x");
    store.AbandonCopy();
    EXPECT_THROW(store.FinishCopy("HH", ""), Error);
    store.BeginCopy(2);
    EXPECT_THROW(store.FinishCopy("HHH", ""), Error);
    EXPECT_EQ(test::ReadBytes(store.OwnCopy()), before);
    for (const std::string& name : perUser.Names()) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
    store.Remove();
    EXPECT_THROW(store.Append("x"), Error) << "no copy to append to";
}

TEST(RecoveryStore, ALargeCopyIsFlushedByTheStoreAndReplacesTheOldOneOnlyOnceOnTheDisk) {
    TestFolder app, perUser;
    Win32RecoveryStore store(app.Path(), perUser.Path());
    store.Write("old ", "copy");
    const std::string part(std::size_t{1} << 20, 'p');
    const auto replace = [&store] {
        for (int i = 0; i < 1000; ++i, Sleep(5)) {
            if (store.CopyReplaced()) return true;
        }
        return false;
    };
    store.BeginCopy(4);
    for (int i = 0; i < 3; ++i) store.ContinueCopy(part);
    EXPECT_FALSE(store.FinishCopy("HEAD", "+tail")) << "too large to flush at once";
    store.Append("!");
    EXPECT_EQ(test::ReadBytes(store.OwnCopy()), "old copy!") << "the old copy stands, and takes appends";
    Win32RecoveryStore other(app.Path(), perUser.Path());
    EXPECT_TRUE(other.LeftBehind().empty()) << "a copy being flushed is nobody's left copy";
    ASSERT_TRUE(replace());
    EXPECT_EQ(test::ReadBytes(store.OwnCopy()), "HEAD" + part + part + part + "+tail");
    store.Append("more");
    EXPECT_EQ(test::ReadBytes(store.OwnCopy()).substr(4 + 3 * part.size()), "+tailmore");
    EXPECT_THROW(store.CopyReplaced(), Error) << "nothing finished";

    // Dropped while written or while flushed, again and again: the copy stays, every new one gets a name
    // of its own, and no temporary file outlives its flush.
    const std::string before = test::ReadBytes(store.OwnCopy());
    for (const bool finish : {false, true, true, false}) {
        store.BeginCopy(2);
        store.ContinueCopy(part);
        store.ContinueCopy(part);
        if (finish) EXPECT_FALSE(store.FinishCopy("HH", ""));
        store.AbandonCopy();
    }
    EXPECT_EQ(test::ReadBytes(store.OwnCopy()), before);
    store.BeginCopy(2);
    store.ContinueCopy("x");
    EXPECT_TRUE(store.FinishCopy("HH", "")) << "small: flushed and replaced at once";
    EXPECT_EQ(test::ReadBytes(store.OwnCopy()), "HHx");
    const auto temporaries = [&perUser] {
        int count = 0;
        for (const std::string& name : perUser.Names()) count += name.find(".tmp") != std::string::npos;
        return count;
    };
    for (int i = 0; i < 400 && temporaries() > 0; ++i) Sleep(5);
    EXPECT_EQ(temporaries(), 0);
}

TEST(RecoveryStore, TheKeeperWritesALargeBaseInSlicesAndKeepsTheChangesMadeWhileItIsFlushed) {
    TestFolder app, perUser;
    Win32RecoveryStore store(app.Path(), perUser.Path());
    test::FakeEditor editor;
    for (int i = 0; editor.text.size() < (std::size_t{3} << 20); ++i)
        editor.text += "行 line " + std::to_string(i) + "\r\n";
    DocumentState document{"無題", kModifiedMark, "", "", ""};
    test::ScriptedDialogs dialogs;
    RecoveryKeeper keeper(
        store, editor, document, dialogs, [](const RecoveryRecord&) {}, LeadByteTable::ShiftJis(),
        std::size_t{1} << 20);
    const auto copy = [&store] {
        const auto record = DecodeRecovery(test::ReadBytes(store.OwnCopy()));
        return record ? record->text : "<no copy>";
    };
    keeper.TextChanged();
    std::uint64_t now = 0;
    keeper.Tick(now);
    keeper.Tick(now += 1000);
    int ticks = 1;
    for (; ticks < 2000 && keeper.Busy(); ++ticks, Sleep(5)) {
        if (ticks % 2 == 0) {  // while slices are written, and while the finished base is flushed
            editor.text.insert(0, "表");
            keeper.TextEdited(0, 0, "表");
            keeper.TextChanged();
        }
        keeper.Tick(now += 20);
    }
    EXPECT_GE(ticks, 4) << "a slice per Tick";
    ASSERT_FALSE(keeper.Busy());
    for (int i = 0; i < 3; ++i) keeper.Tick(now += 1000);
    EXPECT_TRUE(copy() == editor.text) << "the change made meanwhile is in the copy";
}

// Typing into the real window: the copy is written, then brought up to date by appending, and reads back
// as the text each time.
class RecoveryWindowTest : public test::MainWindowFixture {
protected:
    void Type(const std::string& keys) {
        for (const char c : keys) SendMessageA(form.Note().Handle(), WM_CHAR, static_cast<unsigned char>(c), 1);
    }
    bool CopyHoldsTheText() {
        const auto record = DecodeRecovery(test::ReadBytes(form.RecoveryStore().OwnCopy()));
        return record && record->text == form.Note().Text();
    }
    bool WaitForTheCopy() {
        for (int i = 0; i < 250 && !CopyHoldsTheText(); ++i) {
            test::PumpMessages();
            Sleep(20);
        }
        return CopyHoldsTheText();
    }
};

TEST_F(RecoveryWindowTest, TypingReachesTheCopyByAppendsAfterTheFirstWrite) {
    Type("typed first");
    form.Note().SetSelText("表\r\n");
    ASSERT_TRUE(WaitForTheCopy());
    const std::string first = test::ReadBytes(form.RecoveryStore().OwnCopy());
    Type("then more");
    form.Note().SetSelStart(2);
    form.Note().SetSelLength(3);
    Type("X");
    form.Note().Undo();
    form.Note().Undo();
    Type("ソ");
    ASSERT_NE(form.Note().Text(), "typed first表\r\n");
    ASSERT_TRUE(WaitForTheCopy()) << "the copy follows typing, commands and undo";
    const std::string second = test::ReadBytes(form.RecoveryStore().OwnCopy());
    EXPECT_EQ(second.substr(0, first.size()), first) << "brought up to date by appending";
    EXPECT_GT(second.size(), first.size());
}

// The editor tells every edit in detail, whichever path made it: the changes replayed on a copy of the
// text always give the editor's text. A load is told as a change without details (the keeper then writes
// a new base), never as details that would not add up to the text.
TEST(RecoveryEdits, EveryChangeTheEditorMakesIsToldInDetail) {
    test::TestParentWindow window("edits test", 700, 500);
    ScintillaEditor editor(window.Handle(), 100, RECT{0, 0, 600, 400});
    std::string shadow;
    int told = 0, detailsSinceChange = 0;
    editor.SetEditObserver([&](std::size_t position, std::size_t deleted, std::string_view inserted) {
        ASSERT_LE(position + deleted, shadow.size());
        shadow.replace(position, deleted, inserted);
        ++detailsSinceChange;
    });
    editor.SetChangeObserver([&] {
        ++told;
        if (detailsSinceChange == 0) shadow = editor.Text();  // told as a whole text
        detailsSinceChange = 0;
    });
    struct Step {
        const char* what;
        std::function<void()> act;
    };
    auto key = [&](WORD vk) {
        SendMessageW(editor.Handle(), WM_KEYDOWN, vk, 1);
        SendMessageW(editor.Handle(), WM_KEYUP, vk, 0xC0000001);
    };
    const Step steps[] = {
        {"a load", [&] { editor.SetText("line one\r\n表示\r\nline three"); }},
        {"typing", [&] { SendMessageW(editor.Handle(), WM_CHAR, L'x', 1); }},
        {"a double-byte character typed", [&] { SendMessageW(editor.Handle(), WM_CHAR, 0x30BD, 1); }},
        {"Enter", [&] { key(VK_RETURN); }},
        {"Backspace over a double-byte character",
         [&] {
             editor.SetSelStart(12);
             key(VK_BACK);
         }},
        {"a selection replaced",
         [&] {
             editor.SetSelStart(2);
             editor.SetSelLength(5);
             editor.SetSelText("ソフト\n");
         }},
        {"a line added", [&] { editor.Add("added"); }},
        {"a line deleted", [&] { editor.Delete(0); }},
        {"undo", [&] { editor.Undo(); }},
        {"undo again", [&] { editor.Undo(); }},
        {"redo", [&] { editor.Redo(); }},
        {"a command's whole-text replace", [&] { editor.ReplaceText("replaced\r\nwhole"); }},
        {"its undo", [&] { editor.Undo(); }},
        {"a load that ends at its NUL", [&] { editor.SetText(std::string("held\0", 5) + "after the NUL"); }},
        {"clear", [&] { editor.Clear(); }},
        {"a load after clear", [&] { editor.SetText("again"); }},
    };
    for (const Step& step : steps) {
        const int before = told;
        step.act();
        EXPECT_EQ(shadow, editor.Text()) << step.what;
        EXPECT_GT(told, before) << step.what << ": told of at all";
    }
}

TEST(RecoveryStore, CopiesGoToTheUsersOwnFolderFirst) {
    TestFolder app, local;
    SetEnvironmentVariableA("LOCALAPPDATA", local.Path().c_str());  // the test program runs without one
    Win32RecoveryStore store(app.Path());
    SetEnvironmentVariableA("LOCALAPPDATA", nullptr);
    EXPECT_EQ(store.Folder(), local / "tovel\\recovery\\");
    EXPECT_FALSE(test::FileExists(app / "recovery")) << "nothing beside the program";
    // A copy an earlier version left beside the program is still found.
    ASSERT_TRUE(CreateDirectoryA((app / "recovery").c_str(), nullptr));
    ASSERT_TRUE(test::WriteBytes(app / "recovery\\copy-00000001-00000001.tov", "old"));
    EXPECT_EQ(store.LeftBehind(), (std::vector<LeftCopy>{{app / "recovery\\copy-00000001-00000001.tov", false}}));

    Win32RecoveryStore shared(app.Path());
    EXPECT_EQ(shared.Folder(), app / "recovery\\") << "beside the program only when there is no user folder";
}

TEST(RecoveryStore, AUserFolderThatCannotBeWrittenGivesWayToTheProgramsFolder) {
    const char* readOnly = std::getenv("TOVEL_ROFS");
    if (!readOnly || !*readOnly) GTEST_SKIP() << "TOVEL_ROFS does not name a read-only file system";
    TestFolder app;
    Win32RecoveryStore store(app.Path(), std::string(readOnly) + "\\tovel\\recovery\\");
    EXPECT_EQ(store.Folder(), app / "recovery\\");
    store.Write("", "kept");
    EXPECT_EQ(test::ReadBytes(store.OwnCopy()), "kept");
}

TEST(RecoveryStore, AFolderPathWithBackslashTrailBytesMakesNoStrayFolder) {
    TestFolder base;
    // ソ and 表 end in the byte of "\": cut there, the path would make "tools \x83" and the like.
    const std::string folder = base / "tools ソフト\\表示\\";
    Win32RecoveryStore store(base / "app\\", folder);
    EXPECT_EQ(store.Folder(), folder);
    EXPECT_EQ(base.Names(), std::vector<std::string>{"tools ソフト"});
    EXPECT_EQ(TestFolder::Names(base / "tools ソフト\\"), std::vector<std::string>{"表示"});
    store.Write("", "kept");
    EXPECT_EQ(test::ReadBytes(store.OwnCopy()), "kept");
}

// What one entry of the recovery folder does at start, beside a good copy: whether the user hears of it,
// whether it is offered, and whether it stays (only a temporary file cut short before its header was put
// in is deleted, when no one writes it); either way the good copy is offered, and this run's copy is
// written.
struct FolderState {
    const char* what;
    const char* name;
    enum { Folder, Complete, Torn, Unfinished, Empty } content;
    enum { Free, HeldUnshared } hold;
    int told;
    int offered;
    bool stays = true;
};

class RecoveryFolderStates : public testing::TestWithParam<FolderState> {};

TEST_P(RecoveryFolderStates, AreSkippedToldOrOfferedAndCopiesAreStillWritten) {
    const FolderState& state = GetParam();
    TestFolder app, perUser;
    const std::string copy = EncodeRecovery({"memo.txt", "C:\\memo.txt", "unsaved"});
    ASSERT_TRUE(test::WriteBytes(perUser / "copy-00000002-00000002.tov", copy));
    const std::string entry = perUser / state.name;
    if (state.content == FolderState::Folder) {
        ASSERT_TRUE(CreateDirectoryA(entry.c_str(), nullptr));
    } else {
        const std::string bytes = state.content == FolderState::Complete     ? copy
                                  : state.content == FolderState::Torn       ? copy.substr(0, 60)
                                  : state.content == FolderState::Unfinished ? std::string(150, '\0') + "base text"
                                                                             : "";
        ASSERT_TRUE(test::WriteBytes(entry, bytes));
    }
    ScopedHandle held;
    if (state.hold == FolderState::HeldUnshared) {
        held.Reset(
            CreateFileA(entry.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(held.Valid());
    }

    Win32RecoveryStore store(app.Path(), perUser.Path());
    test::FakeEditor editor;
    DocumentState document{"無題", kModifiedMark, "", "", ""};
    test::ScriptedDialogs dialogs;
    RecoveryKeeper keeper(store, editor, document, dialogs, [](const RecoveryRecord&) {});
    keeper.OfferLeftBehind();
    EXPECT_EQ(static_cast<int>(dialogs.messages.size()), state.told) << state.what;
    EXPECT_EQ(static_cast<int>(dialogs.asked.size()), 1 + state.offered) << state.what << ": the good copy too";
    EXPECT_EQ(test::FileExists(entry), state.stays) << state.what;

    editor.text = "this run";
    keeper.TextChanged();
    keeper.Tick(0);
    keeper.Tick(1000);
    EXPECT_EQ(DecodeRecovery(test::ReadBytes(store.OwnCopy()))->text, "this run") << state.what;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, RecoveryFolderStates,
    testing::Values(
        FolderState{"a folder named like a copy", "copy-00000001-00000001.tov", FolderState::Folder, FolderState::Free,
                    1, 0},
        FolderState{"a copy held open without sharing", "copy-00000001-00000001.tov", FolderState::Complete,
                    FolderState::HeldUnshared, 1, 0},
        FolderState{"a complete temporary copy", "~tov12345.tmp", FolderState::Complete, FolderState::Free, 0, 1},
        FolderState{"a torn temporary copy", "~tov12345.tmp", FolderState::Torn, FolderState::Free, 0, 0},
        FolderState{"a temporary copy still being written", "~tov12345.tmp", FolderState::Complete,
                    FolderState::HeldUnshared, 0, 0},
        FolderState{"a temporary copy cut short before its header", "~tov12345.tmp", FolderState::Unfinished,
                    FolderState::Free, 0, 0, false},
        FolderState{"an empty temporary file", "~tov12345.tmp", FolderState::Empty, FolderState::Free, 0, 0, false},
        FolderState{"a temporary copy without its header, still being written", "~tov12345.tmp",
                    FolderState::Unfinished, FolderState::HeldUnshared, 0, 0}),
    [](const testing::TestParamInfo<FolderState>& info) { return "Entry" + std::to_string(info.index); });

}  // namespace
}  // namespace tovel
