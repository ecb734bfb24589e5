// The editor wrapper on the real EDIT control: line rules, whole-text set, byte offsets over double-byte
// text, the byte limit, word-wrap recreation, colours and the clipboard requests.
#include "platform/win32/edit_control.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/error.h"
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
        editor = std::make_unique<EditControl>(m_parent, kEditId, RECT{0, 0, 600, 400});
        PumpMessages();
    }
    void TearDown() override {
        editor.reset();
        m_window.Destroy();
        PumpMessages();
    }

    HWND Edit() const { return editor->Handle(); }
    void Type(char c) { SendMessageA(Edit(), WM_CHAR, static_cast<unsigned char>(c), 1); }
    void CaretToEnd() {
        SendMessageA(Edit(), EM_SETSEL, 0, -1);
        DWORD start = 0, end = 0;
        SendMessageA(Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        SendMessageA(Edit(), EM_SETSEL, end, end);
    }
    // The selection in control units (characters under Wine, bytes on Windows).
    std::pair<DWORD, DWORD> UnitSelection() {
        DWORD start = 0, end = 0;
        SendMessageA(Edit(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    static DWORD Units(DWORD bytes, DWORD chars) { return EditControl::CountsCharacters() ? chars : bytes; }

    test::TestParentWindow m_window{"editor test", 700, 500};
    HWND m_parent = m_window.Handle();
    std::unique_ptr<EditControl> editor;
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

TEST_P(EditorAdd, AppendsALineAtTheEnd) {
    editor->SetText(GetParam().before);
    editor->Add(GetParam().added);
    EXPECT_EQ(editor->Text(), GetParam().after);
    // Appending is not an undoable edit.
    EXPECT_EQ(SendMessageA(Edit(), EM_CANUNDO, 0, 0), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EditorAdd,
    testing::Values(EditCase{"", 0, "x", "x\r\n"}, EditCase{"abc", 0, "x", "abc\r\nx"},
                    EditCase{"abc\r\n", 0, "x", "abc\r\nx\r\n"},
                    EditCase{"abc\r\n", 0, "p\r\nq\r\n", "abc\r\np\r\nq\r\n\r\n"},
                    EditCase{"abc", 0, "p\r\nq", "abc\r\np\r\nq"},
                    EditCase{"あいう", 0, "表示", "あいう\r\n表示"},
                    EditCase{"あいう\r\n", 0, "表示", "あいう\r\n表示\r\n"}));

TEST_F(EditorTest, AddToAnEmptyEditorGivesOneLine) {
    editor->Add("x");
    EXPECT_EQ(editor->LineCount(), 1);
    editor->Add("y");
    EXPECT_EQ(editor->Text(), "x\r\ny\r\n");
    EXPECT_EQ(editor->LineCount(), 2);
}

class EditorDelete : public EditorTest, public testing::WithParamInterface<EditCase> {};

TEST_P(EditorDelete, RemovesTheLineAndItsBreak) {
    editor->SetText(GetParam().before);
    CaretToEnd();  // so that a negative index, read by the control as "the caret's line", would show
    editor->Delete(GetParam().index);
    EXPECT_EQ(editor->Text(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EditorDelete,
    testing::Values(EditCase{"a\r\nb\r\nc", 1, "", "a\r\nc"},           // middle line
                    EditCase{"a\r\nb\r\nc\r\n", 0, "", "b\r\nc\r\n"},   // first line
                    EditCase{"a\r\nb", 1, "", "a\r\n"},                 // last line, break before it stays
                    EditCase{"a\r\nb\r\n", 2, "", "a\r\nb\r\n"},        // empty line after the final break
                    EditCase{"a\r\nb", 5, "", "a\r\nb"},                // beyond the last line
                    EditCase{"a\r\nb", -1, "", "a\r\nb"},               // negative: names no line
                    EditCase{"a\r\nb", -2, "", "a\r\nb"},
                    EditCase{"", 0, "", ""},
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

TEST_F(EditorTest, LineOfDoubleByteTextYieldsItsFirst4096Bytes) {
    editor->SetWordWrap(false);
    std::string line;
    for (int i = 0; i < 2500; ++i) line += "あ";  // 5000 bytes
    editor->SetText(line + "\r\nx");
    EXPECT_EQ(editor->Line(0), line.substr(0, 4096));
    EXPECT_EQ(editor->Line(1), "x");
}

// ---- word wrap rows ---------------------------------------------------------------------------------

TEST_F(EditorTest, WrappedRowsAreLinesAndDeleteRemovesOneRow) {
    std::string paragraph;
    for (int i = 0; paragraph.size() < 300; ++i) paragraph += "word" + std::to_string(i % 10) + " ";
    paragraph.resize(300);
    paragraph.back() = 'z';

    // A width of about 40% of the paragraph's drawn width gives three rows (40% + 40% + 20%).
    SIZE extent{};
    {
        HDC dc = GetDC(Edit());
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(Edit(), WM_GETFONT, 0, 0)));
        GetTextExtentPoint32A(dc, paragraph.data(), static_cast<int>(paragraph.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(Edit(), dc);
    }
    RECT client{}, window{};
    GetClientRect(Edit(), &client);
    GetWindowRect(Edit(), &window);
    const int frame = (window.right - window.left) - (client.right - client.left);
    SetWindowPos(Edit(), nullptr, 0, 0, extent.cx * 2 / 5 + frame + 8, 400, SWP_NOMOVE | SWP_NOZORDER);
    editor->SetText(paragraph);
    ASSERT_EQ(SendMessageA(Edit(), EM_GETLINECOUNT, 0, 0), 3) << "text width " << extent.cx;

    EXPECT_EQ(editor->LineCount(), 3);
    const auto rowStart = [&](int row) { return static_cast<std::size_t>(SendMessageA(Edit(), EM_LINEINDEX, row, 0)); };
    const std::size_t start1 = rowStart(1), start2 = rowStart(2);
    ASSERT_LT(0u, start1);
    ASSERT_LT(start1, start2);
    EXPECT_EQ(editor->Line(1), paragraph.substr(start1, start2 - start1));

    editor->Delete(1);
    EXPECT_EQ(editor->Text(), paragraph.substr(0, start1) + paragraph.substr(start2));
}

// ---- whole text ---------------------------------------------------------------------------------------

TEST_F(EditorTest, SetTextMakesEveryBreakCrLf) {
    editor->SetText("a\rb\nc\r\nd\n\re");
    EXPECT_EQ(editor->Text(), "a\r\nb\r\nc\r\nd\r\n\r\ne");
    // A trail byte is never read as a break or a lead byte of its own.
    editor->SetText("表\nソ\r");
    EXPECT_EQ(editor->Text(), "表\r\nソ\r\n");
}

TEST_F(EditorTest, SettingTheSameTextKeepsTheUndoRecord) {
    editor->SetText("l1\nl2");
    CaretToEnd();
    Type('x');
    ASSERT_EQ(editor->Text(), "l1\r\nl2x");
    SendMessageA(Edit(), EM_SETMODIFY, TRUE, 0);

    editor->SetText("l1\nl2x");  // normalises to the text the control holds
    EXPECT_NE(SendMessageA(Edit(), EM_GETMODIFY, 0, 0), 0);
    editor->Undo();
    EXPECT_EQ(editor->Text(), "l1\r\nl2");
}

TEST_F(EditorTest, SettingADifferentTextClearsTheUndoRecord) {
    editor->SetText("abc");
    CaretToEnd();
    Type('x');
    editor->SetText("zzz");
    EXPECT_EQ(editor->SelStart(), 0);
    EXPECT_EQ(SendMessageA(Edit(), EM_CANUNDO, 0, 0), 0);
    editor->Undo();
    EXPECT_EQ(editor->Text(), "zzz");
}

TEST_F(EditorTest, ClearEmptiesTheEditor) {
    editor->SetText("abc\r\ndef");
    editor->Clear();
    EXPECT_EQ(editor->Text(), "");
    EXPECT_EQ(editor->LineCount(), 0);
}

// ---- byte offsets over double-byte text ------------------------------------------------------------

TEST_F(EditorTest, SelectionOffsetsCountBytes) {
    editor->SetText("あいう\r\nab表");  // あいう = 6 bytes, then CR LF, "ab", 表 = 2 bytes: 12 in all
    ASSERT_EQ(editor->Text().size(), 12u);
    EXPECT_EQ(editor->Line(0), "あいう");
    EXPECT_EQ(editor->Line(1), "ab表");

    editor->SetSelStart(2);  // after あ
    EXPECT_EQ(editor->SelStart(), 2);
    EXPECT_EQ(UnitSelection(), std::make_pair(Units(2, 1), Units(2, 1)));

    editor->SetSelLength(4);  // いう
    EXPECT_EQ(UnitSelection(), std::make_pair(Units(2, 1), Units(6, 3)));
    editor->SetSelText("X");
    EXPECT_EQ(editor->Text(), "あX\r\nab表");

    // A selection made by the control itself reads back in bytes.
    SendMessageA(Edit(), EM_SETSEL, Units(6, 5), Units(6, 5));  // after the "a" of "あX\r\na"
    EXPECT_EQ(editor->SelStart(), 6);
}

TEST_F(EditorTest, SelStartAfterAControlSelectionCountsBytes) {
    editor->SetText("あいう\r\nab表");
    SendMessageA(Edit(), EM_SETSEL, Units(9, 6), Units(12, 8));  // "b表"
    EXPECT_EQ(editor->SelStart(), 9);
    editor->SetSelText("");
    EXPECT_EQ(editor->Text(), "あいう\r\na");
    SendMessageA(Edit(), EM_SETSEL, 0, -1);
    EXPECT_EQ(editor->SelStart(), 0);
    CaretToEnd();
    EXPECT_EQ(editor->SelStart(), 9);
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
}

TEST_F(EditorTest, SelectAllThenSelTextReplacesEverything) {
    editor->SetText("あいう\r\nab表");
    editor->SelectAll();
    editor->SetSelText("z");
    EXPECT_EQ(editor->Text(), "z");
}

TEST_F(EditorTest, SettingTheSameDoubleByteTextKeepsTheUndoRecord) {
    editor->SetText("表示\nソース");
    CaretToEnd();
    Type('x');
    editor->SetText("表示\r\nソースx");
    editor->Undo();
    EXPECT_EQ(editor->Text(), "表示\r\nソース");
}

// ---- maximum length -------------------------------------------------------------------------------

TEST_F(EditorTest, MaxLengthKeepsLongerTextAndRefusesTypingUntilShorter) {
    const std::string fifty(50, 'a');
    editor->SetText(fifty);
    editor->SetMaxLength(10);
    EXPECT_EQ(editor->MaxLength(), 10);
    EXPECT_EQ(editor->Text(), fifty);
    CaretToEnd();
    Type('x');
    EXPECT_EQ(editor->Text(), fifty);

    editor->SetText("123456789");  // a whole-text set is not limited; 9 bytes leaves room for one
    CaretToEnd();
    Type('x');
    Type('y');
    EXPECT_EQ(editor->Text(), "123456789x");

    editor->SetText(fifty);  // nor is a longer one cut
    EXPECT_EQ(editor->Text(), fifty);
}

TEST_F(EditorTest, MaxLengthCountsBytesOfDoubleByteText) {
    editor->SetMaxLength(10);
    editor->SetText("あいうえお");  // 5 characters, 10 bytes
    CaretToEnd();
    Type('x');
    EXPECT_EQ(editor->Text(), "あいうえお");
    // Replacing a selected double-byte character with one byte fits.
    SendMessageA(Edit(), EM_SETSEL, Units(8, 4), Units(10, 5));
    Type('x');
    EXPECT_EQ(editor->Text(), "あいうえx");
}

// A double-byte character typed as its two bytes, as an ANSI program receives it.
TEST_F(EditorTest, TypingADoubleByteCharacterCountsTwoBytes) {
    editor->SetText("ab");
    CaretToEnd();
    Type('\x82');
    Type('\xa0');
    ASSERT_EQ(editor->Text(), "abあ");

    editor->SetMaxLength(10);
    editor->SetText("123456789");  // room for one byte only
    CaretToEnd();
    Type('\x82');  // あ
    Type('\xa0');
    EXPECT_EQ(editor->Text(), "123456789");
    Type('\x95');  // 表: its trail byte is "\", which must not arrive on its own
    Type('\x5c');
    EXPECT_EQ(editor->Text(), "123456789");
    Type('x');
    EXPECT_EQ(editor->Text(), "123456789x");

    editor->SetText("12345678");  // room for exactly two bytes
    CaretToEnd();
    Type('\x95');
    Type('\x5c');
    EXPECT_EQ(editor->Text(), "12345678表");
}

TEST_F(EditorTest, InputMethodCharactersCountTheirBytes) {
    editor->SetMaxLength(10);
    editor->SetText("123456789");
    CaretToEnd();
    SendMessageA(Edit(), WM_IME_CHAR, 0x82a0, 1);  // あ
    EXPECT_EQ(editor->Text(), "123456789");
    editor->SetText("12345678");
    CaretToEnd();
    SendMessageA(Edit(), WM_IME_CHAR, 0x82a0, 1);
    EXPECT_EQ(editor->Text(), "12345678あ");
}

TEST_F(EditorTest, PasteStaysWithinMaxLength) {
    Win32Clipboard(Edit()).WriteText("12345");
    editor->SetText("abcdefgh");
    editor->SetMaxLength(10);
    CaretToEnd();
    editor->PasteFromClipboard();
    EXPECT_LE(editor->Text().size(), 10u);
    EXPECT_EQ(editor->Text().substr(0, 8), "abcdefgh");
}

TEST_F(EditorTest, MaxLengthReturnsNegativeValuesUnchangedAndLimitsNothing) {
    editor->SetMaxLength(-5);
    EXPECT_EQ(editor->MaxLength(), -5);
    editor->SetText("abc");
    CaretToEnd();
    Type('x');
    EXPECT_EQ(editor->Text(), "abcx");
    editor->SetMaxLength(0);
    EXPECT_EQ(editor->MaxLength(), 0);
}

// ---- word wrap recreation ------------------------------------------------------------------------

TEST_F(EditorTest, WordWrapSwitchKeepsTextModifiedStateAndLimit) {
    ASSERT_TRUE(editor->WordWrap());
    editor->SetText("あいう\r\nab表");
    editor->SetMaxLength(30);
    SendMessageA(Edit(), EM_SETMODIFY, TRUE, 0);
    const HWND before = editor->Handle();

    editor->SetWordWrap(false);
    EXPECT_FALSE(editor->WordWrap());
    EXPECT_NE(editor->Handle(), before);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_TRUE(GetWindowLongA(Edit(), GWL_STYLE) & ES_AUTOHSCROLL);
    EXPECT_EQ(editor->Text(), "あいう\r\nab表");
    EXPECT_NE(SendMessageA(Edit(), EM_GETMODIFY, 0, 0), 0);
    EXPECT_EQ(editor->MaxLength(), 30);
    EXPECT_EQ(SendMessageA(Edit(), EM_GETLIMITTEXT, 0, 0), 30);
    EXPECT_EQ(GetDlgCtrlID(Edit()), kEditId);

    SendMessageA(Edit(), EM_SETMODIFY, FALSE, 0);
    const HWND unwrapped = editor->Handle();
    editor->SetWordWrap(true);
    EXPECT_NE(editor->Handle(), unwrapped);
    EXPECT_FALSE(GetWindowLongA(Edit(), GWL_STYLE) & ES_AUTOHSCROLL);
    EXPECT_EQ(editor->Text(), "あいう\r\nab表");
    EXPECT_EQ(SendMessageA(Edit(), EM_GETMODIFY, 0, 0), 0);

    // Setting the current value recreates nothing.
    const HWND wrapped = editor->Handle();
    editor->SetWordWrap(true);
    EXPECT_EQ(editor->Handle(), wrapped);
}

TEST_F(EditorTest, TheRecreatedControlStillEnforcesTheByteLimit) {
    editor->SetMaxLength(4);
    editor->SetWordWrap(false);
    editor->SetText("あい");
    CaretToEnd();
    Type('x');
    EXPECT_EQ(editor->Text(), "あい");
}

// ---- colours ---------------------------------------------------------------------------------------

TEST_F(EditorTest, ColoursStartAsSystemColoursAndDrawWhatWasSet) {
    EXPECT_EQ(editor->Color(), -2147483643);
    EXPECT_EQ(editor->FontColor(), -2147483640);

    HDC dc = GetDC(Edit());
    HBRUSH brush = editor->OnCtlColor(dc);
    EXPECT_NE(brush, nullptr);
    EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));

    editor->SetColor(255);
    editor->SetFontColor(16777215);
    EXPECT_EQ(editor->Color(), 255);
    EXPECT_EQ(editor->FontColor(), 16777215);
    brush = editor->OnCtlColor(dc);
    LOGBRUSH info{};
    GetObjectA(brush, sizeof info, &info);
    EXPECT_EQ(info.lbColor, RGB(255, 0, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(255, 0, 0));
    EXPECT_EQ(GetTextColor(dc), RGB(255, 255, 255));
    ReleaseDC(Edit(), dc);
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
    editor->SetSelStart(static_cast<int>(editor->Text().size()));
    editor->PasteFromClipboard();
    EXPECT_EQ(editor->Text(), "あ\r\nab表いう");
    // Paste replaces the selection.
    editor->SelectAll();
    editor->PasteFromClipboard();
    EXPECT_EQ(editor->Text(), "いう");
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
