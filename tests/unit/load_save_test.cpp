// Opening and saving a big file a piece at a time, with the user able to stop either: a stopped open
// leaves the document as it was, a stopped save the file as it was and the document still unsaved.
#include <gtest/gtest.h>

#include "document/document_commands.h"
#include "document/format_files.h"
#include "tests/unit/fake_code_page.h"
#include "tests/unit/fake_format_chooser.h"
#include "tests/unit/fakes.h"

namespace tovel {
namespace {

using test::StoppingProgress;

// A text of whole lines about `bytes` long, in pieces of many lines.
std::string BigText(std::string_view line, std::size_t bytes) {
    std::string text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes) text += line;
    return text;
}

const std::string kEucLine = "\xb8\xe3\xc7\xda\xa4\xcf\xc7\xad\xa4\xc7\xa4\xa2\xa4\xeb\r\n";  // 吾輩は猫である
const std::string kUtf8Line = "\xe5\x90\xbe\xe8\xbc\xa9\xe3\x81\xaf\xe7\x8c\xab\r\n";         // 吾輩は猫

class LoadSaveTest : public testing::Test {
protected:
    void SetUp() override {
        doc.Start("", "tovel editor");
        doc.SetProgress(&progress);
        editor.changed = [this] { doc.TextChanged(); };
    }
    // A document named old.txt, loaded, then edited once: the state a stopped open must leave.
    void EditedDocument() {
        Fresh();
        files.files["C:\\old.txt"] = "first\r\n";
        fileDialogs.opens.push_back("C:\\old.txt");
        doc.Open();
        editor.ReplaceText("first\r\nedited\r\n");
        ASSERT_EQ(state.ModMark, " * ");
    }

    // An untitled empty document, whatever came before, and a progress that lets everything run.
    void Fresh() {
        progress.stopAt = 0;
        dialogs.answers = {DialogResult::No};
        doc.New();
        progress.steps.clear();
    }

    DocumentState state;
    test::FakeEditor editor;
    test::MemoryFiles files;
    test::ScriptedFileDialogs fileDialogs;
    test::ScriptedDialogs dialogs;
    test::RecordingWindow window;
    test::TableCodePage codePage;
    test::ScriptedFormatChooser chooser;
    StoppingProgress progress;
    DocumentCommands doc{state, editor, files, fileDialogs, dialogs, window, codePage, chooser};
};

TEST_F(LoadSaveTest, AnOpenStoppedAtAnyPieceLeavesTheDocumentAsItWas) {
    const std::size_t kBig = kPieceBytes * 2 + 1000;  // three pieces
    struct Case {
        const char* what;
        std::string bytes;
        int stopAt;
    };
    const Case cases[] = {
        {"Shift-JIS, first piece", BigText("吾輩は猫である。\r\n", kBig), 1},
        {"Shift-JIS, last piece", BigText("吾輩は猫である。\r\n", kBig), 3},
        {"UTF-8 with its mark, second piece", "\xEF\xBB\xBF" + BigText(kUtf8Line, kBig), 2},
        {"EUC-JP, found at the end and read again", BigText(kEucLine, kBig), 4},
        {"UTF-16, read whole", "\xFF\xFE" + BigText(std::string("a\0\r\0\n\0", 6), kBig), 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EditedDocument();
        const TextFormat format = state.Format;
        files.files["C:\\big.txt"] = c.bytes;
        dialogs.answers = {DialogResult::No};  // the edit is not saved: the open goes ahead
        fileDialogs.opens.push_back("C:\\big.txt");
        progress.steps.clear();
        progress.stopAt = c.stopAt;
        EXPECT_THROW(doc.Open(), Cancelled);
        EXPECT_EQ(progress.steps.size(), static_cast<std::size_t>(c.stopAt)) << "stopped where asked";
        EXPECT_EQ(editor.text, "first\r\nedited\r\n");
        EXPECT_EQ(state.CurrentName, "old.txt");
        EXPECT_EQ(state.ModMark, " * ") << "still unsaved";
        EXPECT_EQ(state.Format, format);
        editor.Undo();
        EXPECT_EQ(editor.text, "first\r\n") << "the undo record stays";
        EXPECT_EQ(progress.starts, progress.finishes) << "the progress window closes";
    }
}

TEST_F(LoadSaveTest, ABigFileOpensWholeInItsFormatAndSavesBackIdenticalWithItsProgressToTheEnd) {
    const std::size_t kBig = kPieceBytes + 100;  // two pieces
    const std::string sjis = BigText("吾輩は猫である。\n", kBig);
    const std::string utf8 = BigText(kUtf8Line, kBig);
    const std::string euc = BigText(kEucLine, kBig);
    struct Case {
        const char* what;
        std::string bytes, held;
        TextFormat format;
    };
    const Case cases[] = {
        {"Shift-JIS", sjis, sjis, {Encoding::ShiftJis, false, LineBreak::Lf}},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + utf8, utf8, {Encoding::Utf8, true, LineBreak::CrLf}},
        {"EUC-JP",
         euc,
         Decode(euc, {Encoding::EucJp, false, LineBreak::CrLf}).held,
         {Encoding::EucJp, false, LineBreak::CrLf}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        files.files["C:\\big.txt"] = c.bytes;
        fileDialogs.opens.push_back("C:\\big.txt");
        progress.steps.clear();
        doc.Open();
        EXPECT_EQ(editor.text.size(), c.held.size());
        EXPECT_TRUE(editor.text == c.held);
        EXPECT_EQ(state.Format, c.format);
        ASSERT_FALSE(progress.steps.empty());
        EXPECT_EQ(progress.steps.back(), std::make_pair(std::uint64_t{c.bytes.size()}, std::uint64_t{c.bytes.size()}));
        files.files.erase("C:\\big.txt");
        progress.steps.clear();
        doc.MarkModified();
        ASSERT_TRUE(doc.Save());
        EXPECT_TRUE(files.files["C:\\big.txt"] == c.bytes) << "an unedited file is written back as it was";
        EXPECT_GE(progress.steps.size(), 2u) << "a step for each piece";
        EXPECT_EQ(progress.starts, progress.finishes);
    }
}

// What opening gives: the text the editor holds and how, or the message of the refusal.
struct Opened {
    std::string text, newLine, notice, refusal;
    bool utf8 = false;
    TextFormat format;
    friend bool operator==(const Opened&, const Opened&) = default;
};

TEST_F(LoadSaveTest, AConvertedFileOpensPieceByPieceWithTheAnswersOfTheWholeFile) {
    // Faults in the second piece, and small files for the rest.
    const std::size_t kBig = kPieceBytes + 1000;
    const std::string euc = BigText(kEucLine, kBig);
    const std::string jis = Encode(BigText("吾輩はｶﾅ猫\r\n", 100), {Encoding::Iso2022Jp});
    const std::string utf16 = "\xFF\xFE" + BigText(std::string("\x2B\x73\x0D\x00\x0A\x00", 6), kBig);  // 猫
    const auto with = [](std::string bytes, std::size_t at, std::string_view put) {
        return bytes.replace(at, put.size(), put);
    };
    struct Case {
        const char* what;
        std::string bytes;
        std::optional<Encoding> asked;
    };
    const Case cases[] = {
        {"EUC-JP, found at the end", kEucLine + kEucLine, std::nullopt},
        {"EUC-JP asked, a supplementary kanji in the second piece", with(euc, kPieceBytes + 6, "\x8F"),
         Encoding::EucJp},
        {"JIS, found at the end", jis, std::nullopt},
        {"JIS with the old switch: its bytes", with(jis, jis.rfind("\x1b$B"), "\x1b$@"), std::nullopt},
        {"UTF-16 by its mark", utf16.substr(0, 20), std::nullopt},
        {"UTF-16 asked, without its mark", utf16.substr(2, 30), Encoding::Utf16Le},
        {"UTF-16, a lone surrogate in the second piece: refused", with(utf16, kPieceBytes + 2, "\x00\xDC"),
         std::nullopt},
        {"UTF-16, a NUL character in the second piece: refused", with(utf16, kPieceBytes + 2, std::string(2, '\0')),
         std::nullopt},
        {"UTF-16 asked, odd length and no NUL: its bytes", "abc\r\n", Encoding::Utf16Be},
        {"EUC-JP asked of an empty file", "", Encoding::EucJp},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        files.files["C:\\conv.txt"] = c.bytes;
        Opened whole, pieces;
        try {
            const LoadedText loaded = ReadText(files, "C:\\conv.txt", c.asked);
            test::FakeEditor wholeEditor;
            PutText(wholeEditor, "C:\\conv.txt", loaded.format, loaded.held);
            whole = {wholeEditor.text, wholeEditor.newLine, loaded.notice, "", wholeEditor.utf8, loaded.format};
        } catch (const Error& e) {
            whole.refusal = e.what();
        }
        Fresh();
        try {
            const LoadedText loaded = LoadText(files, editor, "C:\\conv.txt", c.asked, &progress);
            pieces = {editor.text, editor.newLine, loaded.notice, "", editor.utf8, loaded.format};
        } catch (const Error& e) {
            pieces.refusal = e.what();
        }
        EXPECT_EQ(pieces.refusal, whole.refusal);
        EXPECT_EQ(pieces.notice, whole.notice);
        EXPECT_EQ(pieces.format, whole.format);
        EXPECT_TRUE(pieces == whole) << "the same text, held the same way";
    }
}

TEST_F(LoadSaveTest, ASaveStoppedAtAnyPieceLeavesTheFileAsItWasAndTheDocumentUnsaved) {
    const std::size_t kBig = kPieceBytes * 2 + 1000;
    struct Case {
        const char* what;
        std::string before;  // the file as it was opened
        int stopAt;
    };
    const Case cases[] = {
        {"Shift-JIS, as the first piece is asked for", "吾輩\r\n", 1},
        {"Shift-JIS, at the last piece", "吾輩\r\n", 3},
        {"EUC-JP, encoded a slice at a time", kEucLine, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        files.files["C:\\doc.txt"] = c.before;
        fileDialogs.opens.push_back("C:\\doc.txt");
        doc.Open();
        editor.ReplaceText(BigText(editor.text, kBig));
        files.writes.clear();
        progress.steps.clear();
        progress.stopAt = c.stopAt;
        EXPECT_THROW(doc.Save(), Cancelled);
        progress.stopAt = 0;
        EXPECT_TRUE(files.writes.empty());
        EXPECT_EQ(files.files["C:\\doc.txt"], c.before);
        EXPECT_EQ(state.ModMark, " * ") << "still to be saved";
        EXPECT_EQ(progress.starts, progress.finishes);
        // The question at New: Yes saves, and a stopped save stops New with the text kept.
        dialogs.answers = {DialogResult::Yes};
        progress.steps.clear();
        progress.stopAt = 1;
        EXPECT_THROW(doc.New(), Cancelled);
        progress.stopAt = 0;
        EXPECT_EQ(editor.text.size(), BigText(c.before, kBig).size());
        EXPECT_EQ(files.files["C:\\doc.txt"], c.before);
    }
}

}  // namespace
}  // namespace tovel
