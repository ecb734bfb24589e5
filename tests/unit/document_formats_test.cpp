// A document in its file's own format: opened, shown, saved, reopened and converted as a user does it,
// over test doubles. Every unedited file must come back byte for byte.
#include <gtest/gtest.h>

#include "document/document_commands.h"
#include "tests/unit/fake_code_page.h"
#include "tests/unit/fake_format_chooser.h"
#include "tests/unit/fake_text_editor.h"

namespace tovel {
namespace {

using test::FakeClipboard;
using test::FakeTextEditor;

const std::string kSjis = "\x93\xfa\x96\x7b\x8c\xea";              // 日本語
const std::string kUtf8 = "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e";  // 日本語
const std::string kOgai = "\xe9\xb7\x97";                          // 鷗: no Shift-JIS form (in the table double)
const std::string kPath = "D:\\docs\\f.txt";

class DocumentFormatsTest : public testing::Test {
protected:
    void SetUp() override {
        doc.Start("", "tovel editor");
        editor.changed = [this] { doc.TextChanged(); };
    }
    void Open(const std::string& bytes, const std::string& path = kPath) {
        files.files[path] = bytes;
        fileDialogs.opens.push_back(path);
        doc.Open();
    }

    DocumentState state;
    FakeClipboard clipboard;
    FakeTextEditor editor{clipboard};
    test::MemoryFiles files;
    test::ScriptedFileDialogs fileDialogs;
    test::ScriptedDialogs dialogs;
    test::RecordingWindow window;
    test::TableCodePage codePage;
    test::ScriptedFormatChooser chooser;
    DocumentCommands doc{state, editor, files, fileDialogs, dialogs, window, codePage, chooser};
};

TEST_F(DocumentFormatsTest, EveryFormatOpensAsTextAndSavesBackTheIdenticalFile) {
    struct Case {
        const char* what;
        std::string bytes, held;
        TextFormat format;
        std::string enterBreak;
    };
    const Case cases[] = {
        {"Shift-JIS", kSjis + "\r\nx\r\n", kSjis + "\r\nx\r\n", {Encoding::ShiftJis, false, LineBreak::CrLf}, "\r\n"},
        {"UTF-8, LF", kUtf8 + "\nx\n", kUtf8 + "\nx\n", {Encoding::Utf8, false, LineBreak::Lf}, "\n"},
        {"UTF-8 with BOM",
         "\xEF\xBB\xBF" + kUtf8 + "\r\n",
         kUtf8 + "\r\n",
         {Encoding::Utf8, true, LineBreak::CrLf},
         "\r\n"},
        {"UTF-16 LE",
         std::string("\xFF\xFE\xE5\x65\x2C\x67\x0D\x00", 8),
         "\xe6\x97\xa5\xe6\x9c\xac\r",
         {Encoding::Utf16Le, true, LineBreak::Cr},
         "\r"},
        {"UTF-16 BE",
         std::string("\xFE\xFF\x65\xE5\x00\x0A", 6),
         "\xe6\x97\xa5\n",
         {Encoding::Utf16Be, true, LineBreak::Lf},
         "\n"},
        {"EUC-JP",
         "\xc6\xfc\xcb\xdc\xb8\xec\xa4\xce\xa5\xc6\xa5\xad\xa5\xb9\xa5\xc8\xa4\xc7\xa4\xb9\xa1\xa3\x0a",
         "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67\x82\xc5\x82\xb7\x81\x42\x0a",
         {Encoding::EucJp, false, LineBreak::Lf},
         "\n"},
        {"JIS",
         "\x1b\x24\x42\x46\x7c\x4b\x5c\x38\x6c\x1b\x28\x42\r\n",
         kSjis + "\r\n",
         {Encoding::Iso2022Jp, false, LineBreak::CrLf},
         "\r\n"},
        {"mixed breaks", "a\nb\r\nc\r", "a\nb\r\nc\r", {Encoding::ShiftJis, false, LineBreak::Mixed}, "\n"},
    };
    for (const Case& c : cases) {
        Open(c.bytes);
        EXPECT_EQ(editor.text, c.held) << c.what;
        EXPECT_EQ(editor.utf8, HeldAsUtf8(c.format.encoding)) << c.what;
        EXPECT_EQ(editor.newLine, c.enterBreak) << c.what << ": Enter types the file's first break";
        EXPECT_EQ(state.Format, c.format) << c.what;
        ASSERT_FALSE(window.formats.empty());
        EXPECT_EQ(window.formats.back(), c.format) << c.what << ": the status bar is told";
        EXPECT_TRUE(dialogs.messages.empty())
            << c.what << ": " << (dialogs.messages.empty() ? "" : dialogs.messages[0]);
        files.files[kPath] = "changed elsewhere meanwhile";
        files.files.erase(kPath);  // gone, so Save writes without asking
        EXPECT_TRUE(doc.Save()) << c.what;
        EXPECT_EQ(files.files[kPath], c.bytes) << c.what << ": saved unedited, the identical file";
    }
}

TEST_F(DocumentFormatsTest, AFileThatDoesNotHoldInItsFormatIsRefusedOrHeldAsItsBytesWithANotice) {
    Open(kUtf8);
    // EUC-JP asked of a file that is no EUC-JP: opened as its bytes, and the user is told why.
    doc.ReopenAs(Encoding::EucJp);
    EXPECT_EQ(editor.text, kUtf8);
    EXPECT_FALSE(editor.utf8);
    EXPECT_EQ(state.Format, TextFormat{});
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("バイトのまま"), std::string::npos) << dialogs.messages[0];
    files.files.erase(kPath);
    doc.Save();
    EXPECT_EQ(files.files[kPath], kUtf8) << "and saved back as they were";

    // A file that only starts like UTF-16 and holds no NUL: its bytes, with a notice.
    Open("\xFF\xFE\x01\xD8\x41\x42");  // a high surrogate with no low one after it
    EXPECT_EQ(editor.text, "\xFF\xFE\x01\xD8\x41\x42");
    EXPECT_EQ(state.Format, TextFormat{});
    EXPECT_EQ(dialogs.messages.size(), 2u);
    Open(kUtf8);
    // UTF-16 with a lone surrogate, and a text with a NUL: refused, the document stays as it was.
    for (const std::string bad : {std::string("\xFF\xFE\x00\xD8\x61\x00", 6), std::string("ab\0c", 4)}) {
        files.files["D:\\bad.txt"] = bad;
        fileDialogs.opens.push_back("D:\\bad.txt");
        EXPECT_THROW(doc.Open(), Error);
        EXPECT_EQ(editor.text, kUtf8);
        EXPECT_EQ(state.CurrentName, "f.txt");
    }
}

TEST_F(DocumentFormatsTest, SaveInAFormatConvertsTheTextAndItsBreaksAndTheScreenShowsWhatWasWritten) {
    Open(kSjis + "\r\nx\r\n");
    chooser.choices.push_back(TextFormat{Encoding::Utf8, false, LineBreak::Lf});
    fileDialogs.saves.push_back("D:\\out.txt");
    EXPECT_TRUE(doc.SaveAsFormat());
    EXPECT_EQ(chooser.offered.at(0), (TextFormat{Encoding::ShiftJis, false, LineBreak::CrLf}));
    EXPECT_EQ(files.files["D:\\out.txt"], kUtf8 + "\nx\n");
    EXPECT_EQ(editor.text, kUtf8 + "\nx\n");
    EXPECT_TRUE(editor.utf8);
    EXPECT_EQ(editor.newLine, "\n");
    EXPECT_EQ(state.CurrentName, "out.txt");
    EXPECT_EQ(state.Format, (TextFormat{Encoding::Utf8, false, LineBreak::Lf}));
    EXPECT_EQ(files.files[kPath], kSjis + "\r\nx\r\n") << "the first file is untouched";

    chooser.choices.push_back(TextFormat{Encoding::Utf16Be, true, LineBreak::CrLf});
    fileDialogs.saves.push_back("D:\\be.txt");
    EXPECT_TRUE(doc.SaveAsFormat());
    EXPECT_EQ(files.files["D:\\be.txt"],
              std::string("\xFE\xFF\x65\xE5\x67\x2C\x8A\x9E\x00\x0D\x00\x0A\x00x\x00\x0D\x00\x0A", 18));
    chooser.choices.push_back(std::nullopt);
    EXPECT_FALSE(doc.SaveAsFormat()) << "cancelled: nothing asked, nothing written";
    EXPECT_EQ(files.writes.size(), 2u);
}

TEST_F(DocumentFormatsTest, ACharacterTheFormatCannotHoldIsNamedWithItsLineBeforeAnythingIsWritten) {
    Open(kUtf8 + "\n" + "a" + kOgai + "\n");
    const std::string held = editor.text;
    for (const DialogResult answer : {DialogResult::No, DialogResult::Cancel}) {
        chooser.choices.push_back(TextFormat{Encoding::ShiftJis, false, LineBreak::CrLf});
        fileDialogs.saves.push_back("D:\\sjis.txt");
        dialogs.answers.push_back(answer);
        EXPECT_FALSE(doc.SaveAsFormat());
        ASSERT_FALSE(dialogs.asked.empty());
        EXPECT_NE(dialogs.asked.back().find("保存できない文字があります。\r2 行目の文字"), std::string::npos)
            << dialogs.asked.back();
        EXPECT_FALSE(files.files.count("D:\\sjis.txt")) << "nothing written";
        EXPECT_EQ(editor.text, held);
        EXPECT_EQ(editor.Selected(), kOgai) << "the character is shown selected";
        EXPECT_EQ(state.CurrentName, "f.txt");
    }
    // Yes: written in UTF-8 instead, every character kept.
    chooser.choices.push_back(TextFormat{Encoding::ShiftJis, false, LineBreak::CrLf});
    fileDialogs.saves.push_back("D:\\sjis.txt");
    dialogs.answers.push_back(DialogResult::Yes);
    EXPECT_TRUE(doc.SaveAsFormat());
    EXPECT_EQ(files.files["D:\\sjis.txt"], kUtf8 + "\r\na" + kOgai + "\r\n");
    EXPECT_EQ(state.Format, (TextFormat{Encoding::Utf8, false, LineBreak::CrLf}));

    // An EUC-JP document that gained a character EUC-JP lacks (Save in its own format): asked the same way.
    Open("\xc6\xfc\xcb\xdc\xb8\xec\xa4\xce\xa5\xc6\xa5\xad\xa5\xb9\xa5\xc8\xa4\xc7\xa4\xb9\xa1\xa3\x0a", "D:\\e.txt");
    ASSERT_EQ(state.Format.encoding, Encoding::EucJp);
    editor.text += "\xfa\x40";  // ⅰ, typed: an IBM extension EUC-JP has no code for
    doc.MarkModified();
    dialogs.answers.push_back(DialogResult::No);
    const std::size_t writes = files.writes.size();
    ASSERT_TRUE(FindUnencodable(editor.text, state.Format));
    EXPECT_FALSE(doc.Save());
    EXPECT_EQ(files.writes.size(), writes);
    EXPECT_EQ(state.ModMark, " * ");
    EXPECT_NE(dialogs.asked.back().find("EUC-JP で表せません"), std::string::npos) << dialogs.asked.back();
}

TEST_F(DocumentFormatsTest, ReopenAsAsksFirstAndReadsTheFileAgainInTheNamedEncoding) {
    doc.ReopenAs(Encoding::Utf8);
    ASSERT_EQ(dialogs.messages.size(), 1u) << "an untitled document has no file to reopen";
    Open(kUtf8 + "\n");
    ASSERT_TRUE(editor.utf8);
    editor.text = "edited";
    doc.MarkModified();
    dialogs.answers = {DialogResult::Cancel, DialogResult::No};
    doc.ReopenAs(Encoding::ShiftJis);
    EXPECT_EQ(editor.text, "edited") << "Cancel at the question keeps everything";
    doc.ReopenAs(Encoding::ShiftJis);
    EXPECT_EQ(editor.text, kUtf8 + "\n");
    EXPECT_FALSE(editor.utf8);
    EXPECT_EQ(state.Format, (TextFormat{Encoding::ShiftJis, false, LineBreak::Lf}));
    EXPECT_EQ(state.ModMark, " - ");
    doc.ReopenAs(std::nullopt);
    EXPECT_EQ(state.Format.encoding, Encoding::Utf8) << "detected again";
    EXPECT_TRUE(editor.utf8);
}

TEST_F(DocumentFormatsTest, ConvertingTheBreaksIsOneUndoableChangeAndEnterFollows) {
    Open("a\r\nb\rc\n");
    doc.ConvertBreaks(LineBreak::Lf);
    EXPECT_EQ(editor.text, "a\nb\nc\n");
    EXPECT_EQ(editor.newLine, "\n");
    EXPECT_EQ(state.Format.lineBreak, LineBreak::Lf);
    EXPECT_EQ(state.ModMark, " * ");
    editor.Undo();
    EXPECT_EQ(editor.text, "a\r\nb\rc\n") << "one undo brings every break back";
    doc.ConvertBreaks(LineBreak::CrLf);
    files.files.erase(kPath);
    doc.Save();
    EXPECT_EQ(files.files[kPath], "a\r\nb\r\nc\r\n");
}

TEST_F(DocumentFormatsTest, ARestoredCopyComesBackInItsFormat) {
    RecoveryRecord record{"f.txt", kPath, kUtf8 + "\n", ""};
    record.format = TextFormat{Encoding::Utf8, true, LineBreak::Lf};
    doc.Restore(record);
    EXPECT_TRUE(editor.utf8);
    EXPECT_EQ(editor.newLine, "\n");
    EXPECT_EQ(state.Format, record.format);
    doc.Save();
    EXPECT_EQ(files.files[kPath], "\xEF\xBB\xBF" + kUtf8 + "\n");
    doc.New();
    EXPECT_FALSE(editor.utf8) << "a new document is Shift-JIS with CR LF";
    EXPECT_EQ(editor.newLine, "\r\n");
    EXPECT_EQ(state.Format, TextFormat{});
}

}  // namespace
}  // namespace tovel
