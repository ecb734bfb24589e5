// Append-open and append-save across file formats: each file is read and written in its own format, the
// text crosses between Shift-JIS and UTF-8 exactly or not at all, and the breaks put in are those of the
// side that receives the text.
#include "document/append_commands.h"

#include <gtest/gtest.h>

#include "document/text_format.h"
#include "platform/error.h"
#include "tests/unit/fake_code_page.h"
#include "tests/unit/fake_text_editor.h"
#include "tests/unit/fakes.h"

namespace tovel {
namespace {

using test::U8;

// 日本語 three times, in EUC-JP.
const std::string kEuc = "\xC6\xFC\xCB\xDC\xB8\xEC\xC6\xFC\xCB\xDC\xB8\xEC\xC6\xFC\xCB\xDC\xB8\xEC";
const std::string kUtf16Bom = "\xFF\xFE";
const std::string kUtf8Bom = "\xEF\xBB\xBF";

// How a document stands: held as UTF-8 or not, its format, its text.
struct Document {
    bool utf8;
    TextFormat format;
    std::string text;
};
const Document kShiftJis{false, {}, "x"};
const Document kUtf8Lf{true, {Encoding::Utf8, false, LineBreak::Lf}, U8(u8"x")};

class AppendCommandsTest : public testing::Test {
protected:
    void Prepare(const Document& d) {
        editor.utf8 = d.utf8;
        editor.newLine = std::string(LineBreakBytes(d.format.lineBreak));
        editor.text = d.text;
        state.Format = d.format;
    }
    std::string Run(const std::function<void()>& command) {
        try {
            command();
        } catch (const Error& e) {
            return e.what();
        }
        return "";
    }

    test::MemoryFiles files;
    test::ScriptedFileDialogs fileDialogs;
    test::ScriptedDialogs dialogs;
    test::CountingSound sound;
    test::TableCodePage codePage;
    test::FakeClipboard clipboard;
    test::FakeTextEditor editor{clipboard};
    DocumentState state;
    MixList list;
    AppendCommands append{list, editor, files, fileDialogs, dialogs, sound, codePage, state};
};

TEST_F(AppendCommandsTest, AppendOpenReadsTheFileInItsFormatAndTakesItInTheDocumentsForm) {
    const std::string name = "D:\\add.txt";
    struct Case {
        const char* name;
        Document document;
        std::string file, result, error;
    } cases[] = {
        {"UTF-8 file into a Shift-JIS document", kShiftJis, U8(u8"日本\nあ"), "x\r\n日本\r\nあ\r\n", ""},
        {"Shift-JIS file into a UTF-8 document with LF breaks", kUtf8Lf, "日本\r\nあ", U8(u8"x\n日本\nあ\n"), ""},
        {"UTF-16 file, NUL bytes and all", kShiftJis, kUtf16Bom + std::string("a\0\r\0\n\0\xE5\x65", 8),
         "x\r\na\r\n日\r\n", ""},
        {"CR breaks", kShiftJis, "p\rq", "x\r\np\r\nq\r\n", ""},
        {"a character Shift-JIS lacks", kShiftJis, U8(u8"日本\n語😀"), "x",
         "ファイル D:\\add.txt の 2 行目に この文書の文字コード (Shift_JIS) "
         "で表せない文字があるため、追加しませんでした"},
        {"Shift-JIS bytes without a UTF-8 form", kUtf8Lf, "ab\r\r\x81", U8(u8"x"),
         "ファイル D:\\add.txt の 3 行目に この文書の文字コード (UTF-8) で表せない文字があるため、追加しませんでした"},
        {"a character the EUC-JP document cannot save",
         {false, {Encoding::EucJp, false, LineBreak::CrLf}, "x"},
         "日\r\n\xF0\x40",  // a user-defined character
         "x",
         "ファイル D:\\add.txt の 2 行目に この文書の文字コード (EUC-JP) で表せない文字があるため、追加しませんでした"},
        {"NUL in the text", kShiftJis, std::string("a\0b", 3), "x",
         "ファイル D:\\add.txt は NUL 文字を含むため開けません"},
        {"UTF-16 with an odd byte", kShiftJis, kUtf16Bom + "a", "x",
         "ファイル D:\\add.txt は UTF-16 LE として正しく読めないため使えません。"},
    };
    for (const Case& c : cases) {
        Prepare(c.document);
        files.files[name] = c.file;
        fileDialogs.opens = {name};
        const std::string error = Run([&] { append.MixOpen(); });
        EXPECT_EQ(error.substr(0, c.error.size()), c.error) << c.name;
        EXPECT_EQ(error.empty(), c.error.empty()) << c.name << ": " << error;
        EXPECT_EQ(editor.text, c.result) << c.name;
    }
}

TEST_F(AppendCommandsTest, AppendSaveWritesInTheFilesFormatAndKeepsItsBytes) {
    const std::string name = "C:\\log.txt";
    const Document shiftJisText{false, {}, "x\r\n日"};
    const Document utf8Text{true, {Encoding::Utf8, false, LineBreak::Lf}, U8(u8"日\nあ")};
    ASSERT_EQ(DetectFormat(kEuc + "\r\n").encoding, Encoding::EucJp);
    struct Case {
        const char* name;
        Document document;
        std::optional<std::string> file;  // nothing: no such file
        std::string result, error;
    } cases[] = {
        {"Shift-JIS text into a UTF-8 file with LF breaks", shiftJisText, U8(u8"あ\nb"), U8(u8"あ\nb\nx\n日\n"), ""},
        {"an ASCII file is Shift-JIS", shiftJisText, "a\nb", "a\nb\nx\n日\n", ""},
        {"UTF-8 text into a Shift-JIS file", utf8Text, "p\r\n", "p\r\n日\r\nあ\r\n", ""},
        {"into an EUC-JP file", shiftJisText, kEuc + "\r\n", kEuc + "\r\nx\r\n\xC6\xFC\r\n", ""},
        {"into a UTF-16 file with no break: the document's",
         {false, {}, "b"},
         kUtf16Bom + std::string("a\0", 2),
         kUtf16Bom + std::string("a\0\r\0\n\0b\0\r\0\n\0", 12),
         ""},
        {"a file of mixed breaks takes its first", {false, {}, "x\r\ny"}, "a\nb\r\n", "a\nb\r\nx\ny\n", ""},
        {"an empty file takes the document's format",
         {true, {Encoding::Utf8, true, LineBreak::Lf}, U8(u8"日")},
         "",
         kUtf8Bom + U8(u8"日\n"),
         ""},
        {"a character the file cannot hold",
         {true, {Encoding::Utf8}, U8(u8"a\r\nb😀")},
         "p\r\n",
         "p\r\n",
         "2 行目の文字を ファイル C:\\log.txt の文字コード (Shift_JIS) で表せないため、追加で保存しませんでした"},
        {"a character EUC-JP cannot hold",
         {false, {}, "a\nb\r\xF0\x40"},
         kEuc,
         kEuc,
         "3 行目の文字を ファイル C:\\log.txt の文字コード (EUC-JP) で表せないため、追加で保存しませんでした"},
        {"a file holding NUL", shiftJisText, std::string("p\0q", 3), std::string("p\0q", 3),
         "ファイル C:\\log.txt は NUL 文字を含むため開けません"},
        {"no such file", shiftJisText, std::nullopt, "", "ファイル C:\\log.txt は開けません"},
    };
    for (const Case& c : cases) {
        Prepare(c.document);
        files.files.erase(name);
        if (c.file) files.files[name] = *c.file;
        files.writes.clear();
        dialogs.messages.clear();
        sound.beeps = 0;
        fileDialogs.saves = {name};
        EXPECT_EQ(Run([&] { append.MixSave(); }), c.error) << c.name;
        EXPECT_EQ(files.files.count(name) ? files.files[name] : "", c.result) << c.name;
        EXPECT_EQ(editor.text, c.document.text) << c.name;
        const bool written = c.error.empty();
        EXPECT_EQ(files.writes.size(), written ? 1u : 0u) << c.name;
        EXPECT_EQ(sound.beeps, written ? 1 : 0) << c.name;
        EXPECT_EQ(dialogs.messages,
                  written ? std::vector<std::string>{"追加で保存しました"} : std::vector<std::string>{})
            << c.name;
    }
}

TEST(MixListLines, EveryBreakEndsALineAndTheJoinTakesTheBreakAsked) {
    struct Case {
        std::string text, lineBreak, joined;
    } cases[] = {
        {"a\r\nb\nc\rd", "\n", "a\nb\nc\nd\n"},
        {"a\n\rb", "\r", "a\r\rb\r"},  // LF CR is two breaks
        {"", "\r\n", ""},
        {"表\\\r", "\r\n", "表\\\r\n"},
    };
    for (const Case& c : cases) {
        MixList list;
        list.SetText(c.text);
        EXPECT_EQ(list.Text(c.lineBreak), c.joined) << c.text;
    }
}

}  // namespace
}  // namespace tovel
