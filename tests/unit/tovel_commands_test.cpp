// The command layer over the test doubles: every id reaches its handler, the toolbar's and the context
// menu's items run their menu item's handler, a change marks the document and the caption, and the
// recovery copy follows the changes, the saves and the close.
#include "app/tovel_commands.h"

#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "app/command_table.h"
#include "tests/unit/fake_code_page.h"
#include "tests/unit/fake_format_chooser.h"
#include "tests/unit/fake_text_editor.h"

namespace tovel {
namespace {

using Calls = std::vector<std::string>;
const std::string kAppDir = "C:\\tovel\\";
constexpr int kDesignHeight = 410;

class RecordingMainWindow : public IMainWindow {
public:
    std::string caption, applicationTitle, iconOf;
    Calls calls;
    void SetCaption(const std::string& c) override { caption = c; }
    void SetApplicationTitle(const std::string& t) override { applicationTitle = t; }
    void ShowIconOf(const std::string& path) override { iconOf = path; }
    void ShowFormat(const TextFormat& format) override { shownFormat = format; }
    TextFormat shownFormat;
    void ShowAbout() override { calls.push_back("about"); }
    void ShowSettings() override { calls.push_back("settings"); }
    void Close() override { calls.push_back("close"); }
    void RefreshGutter() override { calls.push_back("gutter"); }
    void ToggleStatusBar() override { calls.push_back("status bar"); }
    void SetMenuCaption(CommandId command, const std::string& text) override {
        calls.push_back(std::to_string(command) + " " + text);
    }
};

// The commands over a full set of doubles, started on an untitled document.
struct CommandBench {
    CommandBench() {
        editor.changed = [this] { commands.TextChanged(); };  // as the window wires the editor's notification
        commands.Start("tovel editor");
    }
    // What the doubles saw, each part named, so a row names what its handler does.
    std::string Seen() {
        std::string seen;
        auto add = [&](const std::string& name, const Calls& calls) {
            for (const std::string& c : calls) seen += name + ":" + c + ";";
        };
        add("window", std::exchange(window.calls, {}));
        add("shell", std::exchange(shell.requests, {}));
        add("box", std::exchange(boxes.shown, {}));
        add("input", std::exchange(dialogs.inputs, {}));
        add("message", std::exchange(dialogs.messages, {}));
        add("desktop", std::exchange(desktop.calls, {}));
        add("write", std::exchange(files.writes, {}));
        if (printer.jobs) seen += "print:" + std::to_string(std::exchange(printer.jobs, 0)) + ";";
        return seen;
    }
    CommandBench(const CommandBench&) = delete;
    CommandBench& operator=(const CommandBench&) = delete;

    test::FakeClipboard clipboard;
    test::FakeTextEditor editor{clipboard};
    test::TableCodePage codePage;
    test::ScriptedFormatChooser chooser;
    test::MemoryFiles files;
    test::ScriptedFileDialogs fileDialogs;
    test::ScriptedDialogs dialogs;
    test::RecordingBoxes boxes;
    test::RecordingShell shell;
    test::CountingSound sound;
    test::FakePrinter printer;
    test::RecordingDesktopWindow desktop;
    test::MemoryStore store;
    RecordingMainWindow window;
    RegionalFormats formats;
    TovelCommands commands{
        CommandPlatform{editor, files, fileDialogs, dialogs, boxes, clipboard, shell, sound, printer, desktop, store,
                        codePage, chooser, window, formats, [] { return LocalTime{2024, 5, 6, 1, 7, 8, 9}; }},
        kUntitledName, kAppDir, kDesignHeight};
};

TEST(TovelCommands, EveryIdReachesItsHandler) {
    struct Row {
        CommandId id;
        std::function<void(CommandBench&)> prepare;
        std::string seen;  // what the doubles saw
        std::string text;  // the editor's text after it
    };
    const std::string preview =
        "box:question|保存しないとプレビューは利用できません。\r\nブラウザで開きますか？|"
        "tovel editor plus!;";
    const std::string reopen = "message:開き直すファイルがありません。\r文書をファイルに保存してから選んでください。;";
    const Row rows[] = {
        {cmdNewN1, [](CommandBench& b) { b.editor.text = "old"; }, "", ""},
        {cmdOpenO1,
         [](CommandBench& b) { b.fileDialogs.opens.push_back("C:\\a.txt"), b.files.files["C:\\a.txt"] = "opened"; }, "",
         "opened"},
        {cmdSaveS1, [](CommandBench& b) { b.fileDialogs.saves.push_back("C:\\s.txt"); }, "write:C:\\s.txt;", ""},
        {cmdNamingSaveA1, [](CommandBench& b) { b.fileDialogs.saves.push_back("C:\\n.txt"); }, "write:C:\\n.txt;", ""},
        {cmdMixOpenM1,
         [](CommandBench& b) { b.fileDialogs.opens.push_back("C:\\m.txt"), b.files.files["C:\\m.txt"] = "mixed"; }, "",
         "mixed\r\n\r\n"},
        {cmdMixSaveI1,
         [](CommandBench& b) { b.fileDialogs.saves.push_back("C:\\m.txt"), b.files.files["C:\\m.txt"] = ""; },
         "message:追加で保存しました;write:C:\\m.txt;", ""},
        {cmdViewV1, nullptr, preview, ""},
        {cmdPrintP1, nullptr, "print:1;", ""},
        {cmdExitX1, nullptr, "window:close;", ""},
        {cmdFormatSaveK1,
         [](CommandBench& b) {
             b.editor.text = "a\r\nb";
             b.chooser.choices.push_back(TextFormat{Encoding::Utf8, false, LineBreak::Lf});
             b.fileDialogs.saves.push_back("C:\\k.txt");
         },
         "write:C:\\k.txt;", "a\nb"},
        {cmdReopenAutoA1, nullptr, reopen, ""},
        {cmdReopenShiftJisS1, nullptr, reopen, ""},
        {cmdReopenUtf8U1, nullptr, reopen, ""},
        {cmdReopenUtf16LeL1, nullptr, reopen, ""},
        {cmdReopenUtf16BeB1, nullptr, reopen, ""},
        {cmdReopenEucJpE1, nullptr, reopen, ""},
        {cmdReopenJisJ1, nullptr, reopen, ""},
        {cmdBreakCrLfW1, [](CommandBench& b) { b.editor.text = "a\nb\rc"; }, "", "a\r\nb\r\nc"},
        {cmdBreakLfU1, [](CommandBench& b) { b.editor.text = "a\r\nb\rc"; }, "", "a\nb\nc"},
        {cmdBreakCrM1, [](CommandBench& b) { b.editor.text = "a\r\nb\nc"; }, "", "a\rb\rc"},
        {cmdUndoU1, [](CommandBench& b) { b.editor.SetSelText("typed"); }, "", ""},
        {cmdCutT1, [](CommandBench& b) { b.editor.text = "cut", b.editor.Select(0, 3); }, "",
         "cut"},  // the double does not cut
        {cmdCopyC1, [](CommandBench& b) { b.editor.text = "copy", b.editor.Select(0, 2); }, "", "copy"},
        {cmdPasteP1, [](CommandBench& b) { b.clipboard.text = "pasted"; }, "", "pasted"},
        {cmdDeleteD1, nullptr, "", ""},
        {cmdSelectAllA1, nullptr, "", ""},
        {cmdFind1, nullptr, "input:検索|検索する文字列を入力してください。;", ""},
        {cmdReplace1, nullptr, "input:文字列の置換|置換対象の文字列を入力してください。;", ""},
        {cmdNow1, nullptr, "", "2024/05/06 7:08:09"},
        {cmdHTMLTagH1, [](CommandBench& b) { b.files.files["C:\\tovel\\doc\\tag.txt"] = "<html>"; }, "", "<html>"},
        {cmdR1, nullptr, preview, ""},
        {cmdB1, nullptr, "shell:OPEN:C:\\tovel\\olka_temp.htm;write:C:\\tovel\\olka_temp.htm;", ""},
        {cmdM1, nullptr, "input:文字数を制限|最大文字数値を入力してください;", ""},
        {cmdL1, nullptr, "input:行削除|削除したい行の行数を入力してください;", ""},
        {cmdD1, nullptr, "input:指定文字列削除|削除する文字列を入力してください。;", ""},
        {cmdFrontF1, nullptr, "window:1300 常に手前表示を解除;desktop:topmost;", ""},
        {cmdC1, nullptr, "message:1行1列;", ""},
        {cmdR2, nullptr, "window:gutter;", ""},
        {cmdN22, [](CommandBench& b) { b.editor.text = "12345"; }, "message:5;", "12345"},
        {cmdS2, nullptr, "window:settings;", ""},
        {cmdStatusBarS3, nullptr, "window:status bar;", ""},
        {cmdManualM1, nullptr, "shell:OPEN:C:\\tovel\\readme.txt;", ""},
        {cmdUpdateU1, nullptr, "shell:run:\"C:\\tovel\\tovel.exe\" \"C:\\tovel\\update.txt\";", ""},
        {cmdVersion1, nullptr, "window:about;", ""},
        {cmdR3, [](CommandBench& b) { b.editor.text = "ab", b.editor.Select(0, 2); },
         "input:何回繰り返しますか？|繰り返し;", "ab"},
        {cmdOpen1, nullptr, "box:warning|開く文字列がありません。|開く;", ""},
        {cmdFoldF1, nullptr, "desktop:height 38;", ""},
        {cmdExecuteTovel1, nullptr, "shell:OPEN:C:\\tovel\\tovel.exe;", ""},
        {cmdNothingN1, nullptr, "", ""},
        {cmdN751, nullptr, "desktop:alpha 255;desktop:alpha 191;", ""},
        {cmdN551, nullptr, "desktop:alpha 255;desktop:alpha 140;", ""},
        {cmdN351, nullptr, "desktop:alpha 255;desktop:alpha 89;", ""},
        {cmdN151, nullptr, "desktop:alpha 255;desktop:alpha 38;", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        CommandBench b;  // each row on doubles of its own
        if (row.prepare) row.prepare(b);
        EXPECT_TRUE(TovelCommands::Handles(row.id));
        EXPECT_TRUE(b.commands.Run(row.id));
        EXPECT_EQ(b.Seen(), row.seen);
        EXPECT_EQ(b.editor.text, row.text);
    }
    CommandBench b;
    EXPECT_FALSE(b.commands.Run(kNoCommand)) << "an id no handler answers does nothing";
    EXPECT_EQ(b.Seen(), "");
    EXPECT_FALSE(TovelCommands::Handles(static_cast<CommandId>(1700)));
}

// Redo takes back the undos, one step at a time, and nothing else: with nothing undone, or after a new
// edit, it does nothing.
TEST(TovelCommands, RedoTakesBackTheUndosOnly) {
    struct Row {
        const char* name;
        std::vector<CommandId> before;  // after pasting "a" then "b"
        std::string text;               // after the redo
    };
    const Row rows[] = {
        {"after an undo", {cmdUndoU1}, "ab"},
        {"nothing undone", {}, "ab"},
        {"after an undo and a new edit", {cmdUndoU1, cmdPasteP1}, "ac"},
        {"a second redo", {cmdUndoU1, cmdRedoR1}, "ab"},
        {"after two undos", {cmdUndoU1, cmdUndoU1}, "a"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CommandBench b;
        for (const char* piece : {"a", "b"}) b.clipboard.text = piece, b.commands.Run(cmdPasteP1);
        b.clipboard.text = "c";
        for (const CommandId id : row.before) b.commands.Run(id);
        b.commands.Run(cmdRedoR1);
        EXPECT_EQ(b.editor.text, row.text);
    }
}

// Undo goes back step by step to the start of the record and redo forward again; a new edit after an undo
// drops every step that could have been redone.
TEST(TovelCommands, UndoAndRedoWalkTheStepsOfEveryPaste) {
    constexpr CommandId U = cmdUndoU1, R = cmdRedoR1, P = cmdPasteP1;
    struct Row {
        const char* name;
        std::vector<CommandId> commands;  // after pasting "a", "b" and "c"; a further paste pastes "d"
        std::string text;
    };
    const Row rows[] = {
        {"three steps back", {U, U, U}, ""},
        {"nothing before the first step", {U, U, U, U}, ""},
        {"three steps back and one redo", {U, U, U, R}, "a"},
        {"three steps back and three redos", {U, U, U, R, R, R}, "abc"},
        {"nothing after the last step", {U, U, U, R, R, R, R}, "abc"},
        {"undo after redo", {U, U, R, U}, "a"},
        {"a new edit drops the redo", {U, U, P, R, R}, "ad"},
        {"and undo goes back through it", {U, U, P, U, U}, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CommandBench b;
        for (const char* piece : {"a", "b", "c"}) b.clipboard.text = piece, b.commands.Run(P);
        b.clipboard.text = "d";
        for (const CommandId id : row.commands) b.commands.Run(id);
        EXPECT_EQ(b.editor.text, row.text);
    }
}

// A toolbar button or a context-menu item that stands for a menu item carries that item's id, so it runs
// the item's handler; the popup's own items and every menu item have a handler.
TEST(TovelCommands, TwinsCarryTheIdOfTheItemTheyStandFor) {
    const std::pair<const char*, CommandId> twins[] = {
        {"Button1", cmdNewN1},     {"Button2", cmdOpenO1},          {"Button4", cmdSaveS1},
        {"Button6", cmdViewV1},    {"Button7", cmdUndoU1},          {"Button10", cmdCutT1},
        {"Button11", cmdCopyC1},   {"Button12", cmdPasteP1},        {"UndoU2", cmdUndoU1},
        {"CutT2", cmdCutT1},       {"CopyC2", cmdCopyC1},           {"PasteP2", cmdPasteP1},
        {"DeleteD2", cmdDeleteD1}, {"SelectAllA2", cmdSelectAllA1},
    };
    for (const auto& [name, id] : twins) {
        SCOPED_TRACE(name);
        CommandId carried = kNoCommand;
        for (const ToolButton& b : ToolBar1Buttons()) {
            if (std::string(b.name) == name) carried = b.command;
        }
        for (const MenuItem& item : NotePopup().items) {
            if (std::string(item.name) == name) carried = item.command;
        }
        EXPECT_EQ(carried, id);
    }
    std::function<void(std::span<const MenuItem>)> handled = [&](std::span<const MenuItem> items) {
        for (const MenuItem& item : items) {
            if (!item.IsSeparator() && item.items.empty()) {
                EXPECT_TRUE(TovelCommands::Handles(item.command)) << item.name;
            }
            handled(item.items);
        }
    };
    for (const Menu* menu : {&MainMenu1(), &NotePopup(), &ToolPopup()}) handled(menu->items);
    for (const ToolButton& b : ToolBar1Buttons()) {
        if (b.caption) {
            EXPECT_TRUE(TovelCommands::Handles(b.command)) << b.name;
        }
    }
}

// "関連付けで開く(&R)" is the preview under another name: the same question for an untitled document, the
// same request for a saved one.
TEST(TovelCommands, OpenWithTheAssociationIsThePreview) {
    for (const CommandId id : {cmdViewV1, cmdR1}) {
        SCOPED_TRACE(id);
        CommandBench b;
        b.boxes.yes = {false};
        b.commands.Run(id);
        b.fileDialogs.saves.push_back("C:\\docs\\page.htm");
        b.commands.Run(cmdSaveS1);
        b.Seen();
        b.commands.Run(id);
        EXPECT_EQ(b.Seen(), "shell:OPEN:C:\\docs\\page.htm;");
    }
}

// Only a change of the text marks the document (a paste on a clean one too, which New then asks about
// before the text may go); the caption shows the marker, the taskbar never does, and a save, a new
// document or an open make it clean again.
TEST(TovelCommands, AChangeMarksTheDocumentAndTheCaption) {
    struct Row {
        const char* name;
        std::function<void(CommandBench&)> clean;  // what makes the modified document clean again
        std::string caption;
    };
    const Row rows[] = {
        {"save", [](CommandBench& b) { b.fileDialogs.saves.push_back("C:\\a.txt"), b.commands.Run(cmdSaveS1); },
         "a.txt - tovel editor"},
        {"new", [](CommandBench& b) { b.dialogs.answers.push_back(DialogResult::No), b.commands.Run(cmdNewN1); },
         "無題 - tovel editor"},
        {"open",
         [](CommandBench& b) {
             b.dialogs.answers.push_back(DialogResult::No);
             b.fileDialogs.opens.push_back("C:\\b.txt");
             b.files.files["C:\\b.txt"] = "b";
             b.commands.Run(cmdOpenO1);
         },
         "b.txt - tovel editor"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CommandBench b;
        EXPECT_EQ(b.window.caption, "無題 - tovel editor");
        b.commands.Run(cmdSelectAllA1);
        b.commands.Run(cmdCopyC1);
        EXPECT_FALSE(b.commands.Document().Modified()) << "a command that changes no text leaves it clean";
        b.clipboard.text = "pasted";
        b.commands.Run(cmdPasteP1);
        EXPECT_EQ(b.commands.Document().ModMark, " * ");
        EXPECT_EQ(b.window.caption, "無題 * tovel editor");
        EXPECT_EQ(b.window.applicationTitle, "無題 - tovel editor");
        b.dialogs.answers.push_back(DialogResult::Cancel);
        EXPECT_FALSE(b.commands.NewN1Click()) << "Cancel stops New";
        EXPECT_EQ(b.dialogs.asked.size(), 1u) << "New asked the save question";
        EXPECT_EQ(b.editor.text, "pasted");
        EXPECT_EQ(b.commands.Document().ModMark, " * ");
        row.clean(b);
        EXPECT_EQ(b.commands.Document().ModMark, " - ");
        EXPECT_EQ(b.window.caption, row.caption);
    }
}

// A repeated paste refused as too large is taken back whole, and with it the mark its paste made: a clean
// document stays clean (its caption too), a modified one stays modified.
TEST(TovelCommands, ARepeatedPasteTakenBackLeavesTheModifiedMarkAsItWas) {
    for (const bool typedBefore : {false, true}) {
        SCOPED_TRACE(typedBefore);
        CommandBench b;
        b.fileDialogs.opens.push_back("C:\\a.txt");
        b.files.files["C:\\a.txt"] = "abc";
        b.commands.Run(cmdOpenO1);
        if (typedBefore) {
            b.clipboard.text = "x";
            b.commands.Run(cmdPasteP1);
        }
        const std::string mark = b.commands.Document().ModMark, caption = b.window.caption, text = b.editor.text;
        ASSERT_EQ(mark, typedBefore ? " * " : " - ");
        b.editor.Select(0, 3);
        b.dialogs.typed = {"2147483647"};
        EXPECT_THROW(b.commands.Run(cmdR3), Error);
        EXPECT_EQ(b.editor.text, text);
        EXPECT_EQ(b.commands.Document().ModMark, mark);
        EXPECT_EQ(b.window.caption, caption);
    }
}

// Append-open adds the chosen file's lines to the text as one more line; the change marks the document,
// whose name stays.
TEST(TovelCommands, AppendOpenAddsTheFilesLinesAsOneMoreLine) {
    struct Row {
        const char* editor;
        const char* file;
        const char* after;
    };
    const Row rows[] = {
        {"x", "a\r\nb", "x\r\na\r\nb\r\n"},
        {"x", "a\nb\n", "x\r\na\r\nb\r\n"},
        {"x\r\n", "a\r\nb", "x\r\na\r\nb\r\n\r\n"},
        {"x", "", "x\r\n"},
        {"", "表\\", "表\\\r\n\r\n"},
    };
    CommandBench b;
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.editor) + " + " + row.file);
        b.editor.text = row.editor;
        b.files.files["C:\\add.txt"] = row.file;
        b.fileDialogs.opens.push_back("C:\\add.txt");
        b.commands.Run(cmdMixOpenM1);
        EXPECT_EQ(b.editor.text, row.after);
    }
    EXPECT_EQ(b.commands.Document().ModMark, " * ") << "the text changed";
    EXPECT_EQ(b.window.caption, "無題 * tovel editor") << "the name stays";
    EXPECT_EQ(b.fileDialogs.unexpected, 0);
}

// Append-save adds the text to the chosen file, tells so, and writes nothing else: the document is not
// saved by it.
TEST(TovelCommands, AppendSaveAddsTheEditorsTextToTheFile) {
    CommandBench b;
    b.files.files["C:\\log.txt"] = "a\r\nb";
    b.editor.SetText("x\r\ny");
    b.fileDialogs.saves.push_back("C:\\log.txt");
    b.commands.Run(cmdMixSaveI1);
    EXPECT_EQ(b.files.files["C:\\log.txt"], "a\r\nb\r\nx\r\ny\r\n");
    EXPECT_EQ(b.Seen(), "message:追加で保存しました;write:C:\\log.txt;");
    EXPECT_EQ(b.commands.Document().ModMark, " * ") << "the document is not saved by this";
    EXPECT_EQ(b.window.caption, "無題 * tovel editor");
}

// The recovery copy is written about a second after a change, and goes when the document is saved, when
// the text is kept in the close's backup, and when the user lets the change go through the save question.
TEST(TovelCommands, TheRecoveryCopyFollowsChangesSavesAndTheClose) {
    struct Row {
        const char* name;
        std::function<void(CommandBench&)> end;
    };
    const Row rows[] = {
        {"save", [](CommandBench& b) { b.fileDialogs.saves.push_back("C:\\a.txt"), b.commands.Run(cmdSaveS1); }},
        {"close", [](CommandBench& b) { b.commands.DocumentKept(); }},
        {"new without saving",
         [](CommandBench& b) { b.dialogs.answers.push_back(DialogResult::No), b.commands.Run(cmdNewN1); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CommandBench b;
        b.commands.RecoveryTick(0);
        b.clipboard.text = "typed";
        b.commands.Run(cmdPasteP1);
        b.commands.RecoveryTick(500);
        EXPECT_EQ(b.store.writes, 0) << "not at once";
        b.commands.RecoveryTick(1000);
        EXPECT_EQ(b.store.writes, 1);
        EXPECT_TRUE(b.store.hasOwn);
        row.end(b);
        EXPECT_FALSE(b.store.hasOwn);
        b.commands.RecoveryTick(5000);
        EXPECT_EQ(b.store.writes, 1) << "a clean document needs no copy";
    }
}

}  // namespace
}  // namespace tovel
