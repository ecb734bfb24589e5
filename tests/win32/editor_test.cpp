// The editor on the real editing component: line rules, display rows, whole-text set, byte offsets over
// double-byte text, the byte limit on every input path, one-step undo, the edit-box keys, word wrap,
// colours and the clipboard requests.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/error.h"
#include "platform/win32/scintilla_editor.h"
#include "platform/win32/win32_clipboard.h"
#include "tests/win32/test_window.h"

namespace tovel {
namespace {

using test::PumpMessages;

constexpr int kEditId = 100;

// A plain top-level window holding one editor.
class EditorTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(m_parent, nullptr);
        editor = std::make_unique<ScintillaEditor>(m_parent, kEditId, RECT{0, 0, 600, 400});
        PumpMessages();
    }
    void TearDown() override {
        editor.reset();
        m_window.Destroy();
        PumpMessages();
    }

    HWND Edit() const { return editor->Handle(); }
    LRESULT Sci(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return SendMessageW(Edit(), msg, wp, lp); }
    // A character as the keyboard delivers it to a Unicode window.
    void Type(wchar_t c) { SendMessageW(Edit(), WM_CHAR, c, 1); }
    // A key pressed and released, with Ctrl or Shift held when asked.
    void Press(WORD key, bool ctrl = false, bool shift = false) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        state[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(state);
        SendMessageW(Edit(), WM_KEYDOWN, key, 1);
        SendMessageW(Edit(), WM_KEYUP, key, 0xC0000001);
        state[VK_CONTROL] = state[VK_SHIFT] = 0;
        SetKeyboardState(state);
    }
    void CaretToEnd() { editor->SetSelStart(static_cast<int>(editor->Text().size())); }
    std::pair<LRESULT, LRESULT> Selection() const { return {Sci(SCI_GETSELECTIONSTART), Sci(SCI_GETSELECTIONEND)}; }

    test::TestParentWindow m_window{"editor test", 700, 500};
    HWND m_parent = m_window.Handle();
    std::unique_ptr<ScintillaEditor> editor;
};

// ---- line count, add, delete --------------------------------------------------------------------

struct CountCase {
    const char* text;
    int lines;
};

class EditorLineCount : public EditorTest, public testing::WithParamInterface<CountCase> {};

TEST_P(EditorLineCount, DoesNotCountTheEmptyLineAfterAFinalBreak) {
    editor->SetText(GetParam().text);
    EXPECT_EQ(editor->LineCount(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Texts, EditorLineCount,
                         testing::Values(CountCase{"", 0}, CountCase{"abc", 1}, CountCase{"abc\r\n", 1},
                                         CountCase{"abc\r\n\r\n", 2}, CountCase{"\r\nabc", 2},
                                         CountCase{"あい\r\n表", 2}));

struct EditCase {
    const char* before;
    int index;  // line to delete; unused by Add
    const char* added;
    const char* after;
};

class EditorAdd : public EditorTest, public testing::WithParamInterface<EditCase> {};

TEST_P(EditorAdd, AppendsALineAtTheEndThatOneUndoTakesBack) {
    editor->SetText(GetParam().before);
    editor->Add(GetParam().added);
    EXPECT_EQ(editor->Text(), GetParam().after);
    editor->Undo();
    EXPECT_EQ(editor->Text(), GetParam().before);
    editor->Redo();
    EXPECT_EQ(editor->Text(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Texts, EditorAdd,
                         testing::Values(EditCase{"", 0, "x", "x\r\n"}, EditCase{"abc", 0, "x", "abc\r\nx"},
                                         EditCase{"abc\r\n", 0, "x", "abc\r\nx\r\n"},
                                         EditCase{"abc\r\n", 0, "p\r\nq\r\n", "abc\r\np\r\nq\r\n\r\n"},
                                         EditCase{"abc", 0, "p\r\nq", "abc\r\np\r\nq"},
                                         EditCase{"あいう", 0, "表示", "あいう\r\n表示"},
                                         EditCase{"あいう\r\n", 0, "表示", "あいう\r\n表示\r\n"}));

TEST_F(EditorTest, AddToAnEmptyEditorGivesOneLineAndHonoursNoLimit) {
    editor->SetMaxLength(2);
    editor->Add("x");
    EXPECT_EQ(editor->LineCount(), 1);
    editor->Add("yyyy");
    EXPECT_EQ(editor->Text(), "x\r\nyyyy\r\n");
    EXPECT_EQ(editor->LineCount(), 2);
}

class EditorDelete : public EditorTest, public testing::WithParamInterface<EditCase> {};

TEST_P(EditorDelete, RemovesTheLineAndItsBreak) {
    editor->SetText(GetParam().before);
    CaretToEnd();
    editor->Delete(GetParam().index);
    EXPECT_EQ(editor->Text(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Texts, EditorDelete,
                         testing::Values(EditCase{"a\r\nb\r\nc", 1, "", "a\r\nc"},          // middle line
                                         EditCase{"a\r\nb\r\nc\r\n", 0, "", "b\r\nc\r\n"},  // first line
                                         EditCase{"a\r\nb", 1, "", "a\r\n"},  // last line, break before it stays
                                         EditCase{"a\r\nb\r\n", 2, "",
                                                  "a\r\nb\r\n"},                // empty line after the final break
                                         EditCase{"a\r\nb", 5, "", "a\r\nb"},   // beyond the last line
                                         EditCase{"a\r\nb", -1, "", "a\r\nb"},  // negative: names no line
                                         EditCase{"a\r\nb", -2, "", "a\r\nb"}, EditCase{"", 0, "", ""},
                                         EditCase{"あいう\r\nab表\r\nか", 1, "", "あいう\r\nか"},
                                         EditCase{"あいう\r\nab表", 1, "", "あいう\r\n"}));

// ---- get line -------------------------------------------------------------------------------------

TEST_F(EditorTest, LineYieldsAtMost4096BytesAndEmptyPastTheEnd) {
    editor->SetWordWrap(false);  // one 5000-byte line, not wrapped rows
    std::string longLine;
    for (int i = 0; i < 5000; ++i) longLine += static_cast<char>('a' + i % 26);
    editor->SetText("first\r\n" + longLine + "\r\nlast");
    EXPECT_EQ(editor->Line(0), "first");
    EXPECT_EQ(editor->Line(1), longLine.substr(0, 4096));
    EXPECT_EQ(editor->Line(2), "last");
    EXPECT_EQ(editor->Line(3), "");
    EXPECT_EQ(editor->Line(1000), "");
    EXPECT_EQ(editor->Line(-1), "");
}

TEST_F(EditorTest, LineReadStopsAtByte4096EvenInsideADoubleByteCharacter) {
    editor->SetWordWrap(false);
    std::string line = "a";  // then あ at every odd offset: byte 4096 is the lead byte of one
    for (int i = 0; i < 2500; ++i) line += "あ";
    editor->SetText(line + "\r\nx");
    const std::string got = editor->Line(0);
    ASSERT_EQ(got.size(), 4096u);
    EXPECT_EQ(got, line.substr(0, 4096));
    EXPECT_EQ(static_cast<unsigned char>(got.back()), 0x82);
    EXPECT_EQ(editor->Line(1), "x");
}

// ---- word wrap rows ---------------------------------------------------------------------------------

// Sizes the editor so that the text area is `width` pixels wide.
void SetTextAreaWidth(ScintillaEditor& editor, int width) {
    RECT client{}, window{};
    GetClientRect(editor.Handle(), &client);
    GetWindowRect(editor.Handle(), &window);
    const int frame = (window.right - window.left) - (client.right - client.left);
    editor.SetBounds(0, 0, width + frame, 400);
    PumpMessages();
}

// Word wrap only changes the display: a paragraph laid over three rows is still one line, for the count,
// the caret's line, Line and Delete.
TEST_F(EditorTest, AWrappedParagraphIsOneLine) {
    std::string paragraph;
    for (int i = 0; paragraph.size() < 300; ++i) paragraph += "word" + std::to_string(i % 10) + " ";
    paragraph.resize(300);
    paragraph.back() = 'z';
    const auto width = static_cast<int>(Sci(SCI_TEXTWIDTH, STYLE_DEFAULT, reinterpret_cast<LPARAM>(paragraph.c_str())));
    SetTextAreaWidth(*editor, width * 2 / 5 + 8);  // 40% + 40% + 20%
    const std::string text = "first\r\n" + paragraph + "\r\nnext";
    editor->SetText(text);
    ASSERT_GE(Sci(SCI_WRAPCOUNT, 1), 3) << "text width " << width;

    EXPECT_EQ(editor->LineCount(), 3);
    EXPECT_EQ(editor->Line(1), paragraph);
    EXPECT_EQ(editor->Line(2), "next");

    // The caret in the paragraph's third row is on line 1, which starts after "first\r\n".
    editor->SetSelStart(static_cast<int>(7 + paragraph.size() - 3));
    EXPECT_EQ(editor->CaretLine(), 1);
    EXPECT_EQ(editor->CaretLineStart(), 7);

    editor->Delete(1);
    EXPECT_EQ(editor->Text(), "first\r\nnext") << "the whole paragraph and its break, nothing else";
}

TEST_F(EditorTest, TheLinesOfALargeWrappedTextAreItsParagraphs) {
    // About 10 MB of long Japanese paragraphs, each wrapped over many rows.
    std::string paragraph;
    for (int i = 0; paragraph.size() < 2000; ++i) paragraph += "日本語の文章 " + std::to_string(i) + " です。";
    std::string text;
    int paragraphs = 0;
    while (text.size() < 10'000'000) {
        text += paragraph + "\r\n";
        ++paragraphs;
    }
    editor->SetText(text);
    ASSERT_EQ(editor->LineCount(), paragraphs);
    for (const int sample : {0, paragraphs / 2, paragraphs - 1}) EXPECT_EQ(editor->Line(sample), paragraph) << sample;
    EXPECT_EQ(editor->Line(paragraphs), "");
}

// ---- whole text ---------------------------------------------------------------------------------------

TEST_F(EditorTest, SetTextKeepsEveryByteAndEveryKindOfBreakIsOneLine) {
    editor->SetText("a\rb\nc\r\nd\n\re");
    EXPECT_EQ(editor->Text(), "a\rb\nc\r\nd\n\re");
    EXPECT_EQ(editor->LineCount(), 6) << "CR, LF, CR LF, LF, CR: five breaks";
    EXPECT_EQ(editor->Line(3), "d");
    editor->Delete(0);
    EXPECT_EQ(editor->Text(), "b\nc\r\nd\n\re") << "a line goes with its own break";
    editor->SetText("表\nソ\r");
    EXPECT_EQ(editor->Text(), "表\nソ\r");
    EXPECT_EQ(editor->LineCount(), 2);
    editor->SetText(std::string("ab\0cd", 5));
    EXPECT_EQ(editor->Text(), "ab");
    // A text taken from the editor's own bytes (a part of TextView) is set whole, not read after clearing.
    editor->SetText("abcdefghij");
    editor->ReplaceText(editor->TextView().substr(2, 5));
    EXPECT_EQ(editor->Text(), "cdefg");
}

TEST_F(EditorTest, SettingTheSameTextKeepsTheUndoRecordAndCaret) {
    editor->SetText("l1\nl2");
    CaretToEnd();
    Type(L'x');
    ASSERT_EQ(editor->Text(), "l1\nl2x");
    editor->SetText("l1\nl2x");
    EXPECT_EQ(editor->SelStart(), 6);
    editor->Undo();
    EXPECT_EQ(editor->Text(), "l1\nl2");
}

TEST_F(EditorTest, SettingADifferentTextClearsTheUndoRecordAndGoesToTheTop) {
    std::string lines;
    for (int i = 0; i < 200; ++i) lines += "line\r\n";
    editor->SetText(lines);
    CaretToEnd();
    Type(L'x');
    Sci(SCI_SCROLLCARET);
    ASSERT_GT(editor->FirstVisibleLine(), 0);
    editor->SetText("zzz");
    EXPECT_EQ(editor->SelStart(), 0);
    EXPECT_EQ(editor->FirstVisibleLine(), 0);
    editor->Undo();
    EXPECT_EQ(editor->Text(), "zzz");
    EXPECT_FALSE(editor->Modified());
}

TEST_F(EditorTest, ClearEmptiesTheEditor) {
    editor->SetText("abc\r\ndef");
    editor->Clear();
    EXPECT_EQ(editor->Text(), "");
    EXPECT_EQ(editor->LineCount(), 0);
}

// ---- byte offsets over double-byte text ------------------------------------------------------------

TEST_F(EditorTest, SelectionOffsetsCountBytesAndSnapToCharacterStarts) {
    editor->SetText("あいう\r\nab表");  // あいう = 6 bytes, then CR LF, "ab", 表 = 2 bytes: 12 in all
    ASSERT_EQ(editor->Text().size(), 12u);
    editor->SetSelStart(2);  // after あ
    EXPECT_EQ(editor->SelStart(), 2);
    editor->SetSelLength(4);  // いう
    EXPECT_EQ(Selection(), std::make_pair(LRESULT{2}, LRESULT{6}));
    editor->SetSelText("X");
    EXPECT_EQ(editor->Text(), "あX\r\nab表");

    // An offset inside a character goes to that character's start: typing there never splits it.
    editor->SetSelStart(1);
    EXPECT_EQ(editor->SelStart(), 0);
    editor->SetSelStart(8);  // inside 表 (7..8)
    EXPECT_EQ(editor->SelStart(), 7);
    Type(L'y');
    EXPECT_EQ(editor->Text(), "あX\r\naby表");
    editor->SetSelStart(0);
    editor->SetSelLength(3);  // あ and X
    EXPECT_EQ(Selection(), std::make_pair(LRESULT{0}, LRESULT{3}));
    editor->SetSelLength(1);  // would end inside あ
    EXPECT_EQ(Selection(), std::make_pair(LRESULT{0}, LRESULT{0}));
    editor->SetSelStart(1000);
    EXPECT_EQ(editor->SelStart(), 10);
}

TEST_F(EditorTest, SelLengthAcrossABreakAndSelTextInsertAtTheCaret) {
    editor->SetText("あいう\r\nab表");
    editor->SetSelStart(4);   // after い
    editor->SetSelLength(5);  // う CR LF a
    editor->SetSelText("漢字");
    EXPECT_EQ(editor->Text(), "あい漢字b表");
    EXPECT_EQ(editor->SelStart(), 8);  // the caret follows the inserted text
    editor->SetSelStart(0);
    editor->SetSelText("ー");
    EXPECT_EQ(editor->Text(), "ーあい漢字b表");
    editor->SelectAll();
    editor->SetSelText("z");
    EXPECT_EQ(editor->Text(), "z");
}

// ---- typing and the edit-box keys -----------------------------------------------------------------------

TEST_F(EditorTest, TypedCharactersArriveAsShiftJisBytes) {
    Type(L'a');
    Type(L'あ');
    Type(L'表');
    SendMessageA(Edit(), WM_CHAR, 0x82, 1);  // a double-byte character as an ANSI program sends it
    SendMessageA(Edit(), WM_CHAR, 0xA2, 1);
    SendMessageW(Edit(), WM_IME_CHAR, L'語', 1);
    Type(L'\t');
    EXPECT_EQ(editor->Text(), "aあ表い語\t");
}

TEST_F(EditorTest, EnterGivesCrLfAndControlCharactersAreNeverTyped) {
    Type(L'a');
    Press(VK_RETURN);
    for (const wchar_t c : {L'\x01', L'\x11', L'\x1b', L'\x7f'}) Type(c);
    Type(L'b');
    EXPECT_EQ(editor->Text(), "a\r\nb");
}

// A document of LF or CR breaks gets the same from Enter and from Add; in UTF-8 the typed characters
// arrive as UTF-8 and the caret steps over whole characters.
TEST_F(EditorTest, EnterAndAddTypeTheDocumentsBreakAndUtf8HoldsWhatIsTyped) {
    for (const std::string lineBreak : {"\n", "\r"}) {
        editor->SetNewLine(lineBreak);
        editor->SetText("a");
        CaretToEnd();
        Press(VK_RETURN);
        Type(L'b');
        editor->Add("c");
        EXPECT_EQ(editor->Text(), "a" + lineBreak + "b" + lineBreak + "c");
    }
    editor->SetNewLine("\r\n");
    editor->SetUtf8(true);
    editor->SetText("\xe6\x97\xa5");  // 日
    CaretToEnd();
    Type(L'本');
    SendMessageW(Edit(), WM_IME_CHAR, L'語', 1);
    EXPECT_EQ(editor->Text(), "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e");
    Press(VK_LEFT);
    EXPECT_EQ(editor->SelStart(), 6) << "one character back is three bytes";
    editor->SetSelStart(4);
    EXPECT_EQ(editor->SelStart(), 3) << "an offset inside a character goes to its start";
    editor->SetUtf8(false);
}

TEST_F(EditorTest, BackspaceAndDeleteRemoveWholeCharacters) {
    editor->SetText("a表b");
    editor->SetSelStart(3);
    Press(VK_BACK);
    EXPECT_EQ(editor->Text(), "ab");
    editor->SetText("a表b");
    editor->SetSelStart(1);
    Press(VK_DELETE);
    EXPECT_EQ(editor->Text(), "ab");
}

TEST_F(EditorTest, ArrowsMoveByCharactersAndShiftExtends) {
    editor->SetText("あい\r\nab");
    editor->SetSelStart(0);
    Press(VK_RIGHT);
    EXPECT_EQ(editor->SelStart(), 2);
    Press(VK_RIGHT, false, true);
    EXPECT_EQ(Selection(), std::make_pair(LRESULT{2}, LRESULT{4}));
    Press(VK_END, true);
    EXPECT_EQ(Selection(), std::make_pair(LRESULT{8}, LRESULT{8}));
    Press(VK_HOME, true, true);
    EXPECT_EQ(Selection(), std::make_pair(LRESULT{0}, LRESULT{8}));
}

TEST_F(EditorTest, TheComponentsOwnCommandKeysDoNothing) {
    editor->SetText("first\r\nsecond");
    editor->SetSelStart(9);
    Press('T', true);        // line transpose
    Press('D', true);        // line duplicate
    Press('L', true);        // line cut
    Press('U', true);        // lower case
    Press('U', true, true);  // upper case
    Press(VK_INSERT);        // overtype
    Type(L'x');
    EXPECT_EQ(editor->Text(), "first\r\nsexcond");
}

// ---- undo -------------------------------------------------------------------------------------------------

// Bytes that are no Shift-JIS character (a bad trail, an unused lead, 0xFF, a lead byte at the end)
// come back from an undo exactly as they were.
TEST_F(EditorTest, EveryCommandEditIsOneUndoStepThatBringsBackTheExactBytes) {
    const std::string before =
        "ab\x81\x7f\xff\x85\x40\r\n\x95\x5c"
        "ab\x82";
    struct Case {
        const char* name;
        std::function<void()> edit;
    } cases[] = {
        {"replace", [&] { editor->ReplaceText("X\x81\x7f"); }},
        {"selection",
         [&] {
             editor->SetSelStart(2);
             editor->SetSelLength(4);
             editor->SetSelText("\xfe");
         }},
        {"delete", [&] { editor->Delete(0); }},
        {"add", [&] { editor->Add("\xa0"); }},
        {"group",
         [&] {
             UndoStep step(*editor);
             editor->ReplaceText("one");
             editor->Add("two");
         }},
    };
    for (const Case& c : cases) {
        editor->SetText(before);
        ASSERT_EQ(editor->Text(), before);
        c.edit();
        const std::string after = editor->Text();
        ASSERT_NE(after, before) << c.name;
        editor->Undo();
        EXPECT_EQ(editor->Text(), before) << c.name;
        editor->Undo();
        EXPECT_EQ(editor->Text(), before) << c.name << ": nothing before the load";
        editor->Redo();
        EXPECT_EQ(editor->Text(), after) << c.name << ": a redo brings the step back";
    }
}

TEST_F(EditorTest, AReplacedTextKeepsTheEarlierStepAndADroppedStepLeavesNoTrace) {
    editor->SetText("abc");
    editor->ReplaceText("abc");  // the same text: nothing to undo is added
    CaretToEnd();
    Type(L'd');
    {
        UndoStep step(*editor);
        editor->SetSelText("e");
        editor->SetSelText("f");
    }
    ASSERT_EQ(editor->Text(), "abcdef");
    editor->DropLastStep();
    EXPECT_EQ(editor->Text(), "abcd");
    editor->Undo();
    EXPECT_EQ(editor->Text(), "abc") << "the typing before the dropped step";
    editor->Undo();
    EXPECT_EQ(editor->Text(), "abc") << "nothing before the load";
    editor->Redo();
    EXPECT_EQ(editor->Text(), "abcd");
    editor->Redo();
    EXPECT_EQ(editor->Text(), "abcd") << "the dropped step never comes back";
    Press('Y', true);
    EXPECT_EQ(editor->Text(), "abcd");
}

// Typing runs are steps as the component groups them: a run at one place is one step.
TEST_F(EditorTest, UndoWalksBackStepByStepAndRedoForward) {
    editor->SetText("start");
    CaretToEnd();
    Type(L'1');
    editor->SetSelStart(0);
    Type(L'2');
    Type(L'3');
    ASSERT_EQ(editor->Text(), "23start1");
    editor->Undo();
    EXPECT_EQ(editor->Text(), "start1");
    editor->Undo();
    EXPECT_EQ(editor->Text(), "start");
    editor->Undo();
    EXPECT_EQ(editor->Text(), "start") << "nothing before the load";
    editor->Redo();
    EXPECT_EQ(editor->Text(), "start1");
    Press('Y', true);  // the key redoes as well
    EXPECT_EQ(editor->Text(), "23start1");
    editor->Redo();
    EXPECT_EQ(editor->Text(), "23start1") << "nothing after the last step";
    editor->Undo();
    EXPECT_EQ(editor->Text(), "start1");
    // A new edit is the step that undo takes back next, and nothing is left to redo.
    editor->SetSelStart(0);
    Type(L'4');
    editor->Redo();
    EXPECT_EQ(editor->Text(), "4start1");
    editor->Undo();
    EXPECT_EQ(editor->Text(), "start1");
    Press('Z', true);  // the edit-box key does the same
    EXPECT_EQ(editor->Text(), "start");
}

// ---- maximum length ---------------------------------------------------------------------------------------

TEST_F(EditorTest, MaxLengthKeepsLongerTextAndRefusesTypingUntilShorter) {
    const std::string fifty(50, 'a');
    editor->SetText(fifty);
    editor->SetMaxLength(10);
    EXPECT_EQ(editor->MaxLength(), 10);
    CaretToEnd();
    Type(L'x');
    EXPECT_EQ(editor->Text(), fifty);

    editor->SetText("123456789");  // a whole-text set is not limited; 9 bytes leaves room for one
    CaretToEnd();
    Type(L'x');
    Type(L'y');
    EXPECT_EQ(editor->Text(), "123456789x");
    Press(VK_RETURN);  // CR LF needs two
    EXPECT_EQ(editor->Text(), "123456789x");
}

TEST_F(EditorTest, MaxLengthCountsBytesOnEveryInputPath) {
    editor->SetMaxLength(10);
    editor->SetText("123456789");  // room for one byte only
    CaretToEnd();
    Type(L'あ');
    SendMessageW(Edit(), WM_IME_CHAR, L'語', 1);
    SendMessageA(Edit(), WM_CHAR, 0x95, 1);  // 表: its trail byte is "\", which must not arrive on its own
    SendMessageA(Edit(), WM_CHAR, 0x5C, 1);
    EXPECT_EQ(editor->Text(), "123456789");

    editor->SetText("12345678");  // room for exactly two bytes
    CaretToEnd();
    Type(L'表');
    EXPECT_EQ(editor->Text(), "12345678表");
    // Replacing a selected double-byte character with one byte fits.
    editor->SetSelStart(8);
    editor->SetSelLength(2);
    Type(L'x');
    EXPECT_EQ(editor->Text(), "12345678x");
}

TEST_F(EditorTest, PasteBeyondMaxLengthKeepsTheWholeCharactersThatFit) {
    Win32Clipboard clipboard(Edit());
    editor->SetMaxLength(10);
    struct Case {
        const char* before;
        const char* clipboard;
        const char* after;
    };
    for (const Case& c : {Case{"abcdefgh", "12345", "abcdefgh12"}, Case{"abcdefg", "あいう", "abcdefgあ"},
                          Case{"abcdefgh", "x\r\ny", "abcdefghx"}, Case{"abcdefghij", "z", "abcdefghij"},
                          Case{"abcdef", "\xEE\xE0\xED\x95\x87", "abcdef\xEE\xE0\xED\x95"}}) {
        clipboard.WriteText(c.clipboard);
        editor->SetText(c.before);
        CaretToEnd();
        editor->PasteFromClipboard();
        EXPECT_EQ(editor->Text(), c.after) << c.before << " + " << c.clipboard;
    }
}

TEST_F(EditorTest, MaxLengthZeroOrNegativeLimitsNothing) {
    editor->SetMaxLength(-5);
    EXPECT_EQ(editor->MaxLength(), -5);
    editor->SetText("abc");
    CaretToEnd();
    Type(L'x');
    EXPECT_EQ(editor->Text(), "abcx");
    editor->SetMaxLength(0);
    EXPECT_EQ(editor->MaxLength(), 0);
    Type(L'y');
    EXPECT_EQ(editor->Text(), "abcxy");
}

// ---- word wrap, colours, observers ---------------------------------------------------------------------

TEST_F(EditorTest, WordWrapSwitchKeepsTheWindowTextLimitAndUndo) {
    ASSERT_TRUE(editor->WordWrap());
    editor->SetText("あいう\r\nab表");
    editor->SetMaxLength(30);
    CaretToEnd();
    Type(L'x');
    const HWND before = editor->Handle();
    editor->SetWordWrap(false);
    EXPECT_FALSE(editor->WordWrap());
    EXPECT_EQ(editor->Handle(), before);
    EXPECT_EQ(Sci(SCI_GETWRAPMODE), SC_WRAP_NONE);
    EXPECT_EQ(editor->Text(), "あいう\r\nab表x");
    EXPECT_EQ(editor->MaxLength(), 30);
    EXPECT_TRUE(editor->Modified());
    editor->SetWordWrap(true);
    EXPECT_EQ(Sci(SCI_GETWRAPMODE), SC_WRAP_WORD);
    editor->Undo();
    EXPECT_EQ(editor->Text(), "あいう\r\nab表");
}

TEST_F(EditorTest, ColoursStartAsSystemColoursAndDrawWhatWasSet) {
    EXPECT_EQ(editor->Color(), -2147483643);
    EXPECT_EQ(editor->FontColor(), -2147483640);
    EXPECT_EQ(static_cast<COLORREF>(Sci(SCI_STYLEGETBACK, STYLE_DEFAULT)), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(static_cast<COLORREF>(Sci(SCI_STYLEGETFORE, 0)), GetSysColor(COLOR_WINDOWTEXT));
    editor->SetColor(255);
    editor->SetFontColor(16777215);
    EXPECT_EQ(editor->Color(), 255);
    EXPECT_EQ(editor->FontColor(), 16777215);
    EXPECT_EQ(static_cast<COLORREF>(Sci(SCI_STYLEGETBACK, 0)), RGB(255, 0, 0));
    EXPECT_EQ(static_cast<COLORREF>(Sci(SCI_STYLEGETFORE, STYLE_DEFAULT)), RGB(255, 255, 255));
}

TEST_F(EditorTest, LooksLikeAPlainEditBox) {
    EXPECT_EQ(Sci(SCI_GETCODEPAGE), 932);
    EXPECT_EQ(Sci(SCI_GETTABWIDTH), 8);
    EXPECT_EQ(Sci(SCI_GETEOLMODE), SC_EOL_CRLF);
    EXPECT_EQ(Sci(SCI_GETMARGINWIDTHN, 0) + Sci(SCI_GETMARGINWIDTHN, 1) + Sci(SCI_GETMARGINWIDTHN, 2), 0);
    EXPECT_FALSE(Sci(SCI_GETHSCROLLBAR));
    EXPECT_TRUE(GetWindowLongW(Edit(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(Sci(SCI_GETTECHNOLOGY), SC_TECHNOLOGY_DEFAULT);
    char face[64] = {};
    Sci(SCI_STYLEGETFONT, STYLE_DEFAULT, reinterpret_cast<LPARAM>(face));
    EXPECT_STREQ(face, reinterpret_cast<const char*>(u8"ＭＳ Ｐゴシック"));
    EXPECT_EQ(Sci(SCI_STYLEGETCHARACTERSET, STYLE_DEFAULT), SC_CHARSET_SHIFTJIS);
    EXPECT_EQ(Sci(SCI_TEXTHEIGHT, 0) >= 16, true);
}

TEST_F(EditorTest, ObserversSeeKeysAndChangesAndTheirErrorsGoToTheSink) {
    int keyDowns = 0, changes = 0, errors = 0;
    editor->SetMessageObserver([&](UINT msg, WPARAM, LPARAM) {
        if (msg == WM_KEYDOWN) ++keyDowns;
        if (msg == WM_CONTEXTMENU) throw Error("observer failed");
        return false;
    });
    editor->SetChangeObserver([&] { ++changes; });
    editor->SetErrorSink([&] { ++errors; });
    Press('A');
    Type(L'a');
    editor->SetText("whole");
    EXPECT_EQ(keyDowns, 1);
    EXPECT_GE(changes, 2);
    SendMessageW(Edit(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Edit()), MAKELPARAM(5, 5));
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(editor->Text(), "whole");
}

// ---- clipboard ----------------------------------------------------------------------------------------

TEST_F(EditorTest, CutCopyAndClearWithoutSelectionDoNothing) {
    Win32Clipboard clipboard(Edit());
    clipboard.WriteText("before");
    editor->SetText("abc");
    editor->SetSelStart(1);
    editor->CopyToClipboard();
    editor->CutToClipboard();
    editor->ClearSelection();
    EXPECT_EQ(editor->Text(), "abc");
    EXPECT_EQ(clipboard.ReadText(), "before");
}

TEST_F(EditorTest, CutCopyAndPasteMoveDoubleByteText) {
    Win32Clipboard clipboard(Edit());
    editor->SetText("あいう\r\nab表");
    editor->SetSelStart(2);
    editor->SetSelLength(4);
    editor->CopyToClipboard();
    EXPECT_EQ(clipboard.ReadText(), "いう");
    editor->CutToClipboard();
    EXPECT_EQ(editor->Text(), "あ\r\nab表");
    CaretToEnd();
    editor->PasteFromClipboard();
    EXPECT_EQ(editor->Text(), "あ\r\nab表いう");
    editor->SelectAll();
    editor->PasteFromClipboard();
    EXPECT_EQ(editor->Text(), "いう");
    // A paste converts nothing, not even a lone LF.
    clipboard.WriteText("p\nq");
    editor->PasteFromClipboard();
    EXPECT_EQ(editor->Text(), "いうp\nq");
}

TEST_F(EditorTest, PasteOfAnEmptyClipboardDoesNothing) {
    ASSERT_TRUE(OpenClipboard(Edit()));
    EmptyClipboard();
    CloseClipboard();
    editor->SetText("abc");
    editor->SelectAll();
    editor->PasteFromClipboard();
    EXPECT_EQ(editor->Text(), "abc");
    EXPECT_EQ(Win32Clipboard(Edit()).ReadText(), "");
}

TEST_F(EditorTest, ClipboardTextRoundTripsShiftJisAndEndsAtNul) {
    Win32Clipboard clipboard(Edit());
    clipboard.WriteText("表示\r\nソース");
    EXPECT_EQ(clipboard.ReadText(), "表示\r\nソース");
    clipboard.WriteText(std::string("ab\0cd", 5));
    EXPECT_EQ(clipboard.ReadText(), "ab");
}

TEST_F(EditorTest, ClipboardHeldOpenByAnotherThreadIsReported) {
    struct Holder {
        HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        bool held = false;
    } holder;
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](void* p) -> DWORD {
            auto* h = static_cast<Holder*>(p);
            h->held = OpenClipboard(nullptr);
            SetEvent(h->opened);
            WaitForSingleObject(h->release, 10000);
            if (h->held) CloseClipboard();
            return 0;
        },
        &holder, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(holder.opened, 10000);
    ASSERT_TRUE(holder.held);
    try {
        Win32Clipboard(Edit()).ReadText();
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "クリップボードを開くことができません");
    }
    SetEvent(holder.release);
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    CloseHandle(holder.opened);
    CloseHandle(holder.release);
}

}  // namespace
}  // namespace tovel
