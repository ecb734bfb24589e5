// Cut, copy and paste in editors holding UTF-8: the clipboard gets the Unicode text exactly, as another
// program reads it, with a Shift-JIS rendering beside it; a paste inserts the Unicode text as UTF-8, or
// plain text left by an older program read as Shift-JIS, never with a stand-in for what does not convert.
// The byte limit cuts a paste only between whole UTF-8 characters.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/scintilla_editor.h"
#include "platform/win32/win32_clipboard.h"
#include "tests/win32/error_of.h"
#include "tests/win32/test_window.h"
#include "tests/win32/two_editors.h"

namespace tovel {
namespace {

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::wstring Wide(const std::string& utf8) {
    std::wstring out(utf8.size(), L'\0');
    const int n = static_cast<int>(utf8.size());
    out.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), n, out.data(), n)));
    return out;
}

// One format's data on the clipboard as raw bytes (up to the block's end), "(none)" when it has none.
std::string OnClipboard(UINT format) {
    std::string bytes = "(none)";
    if (!OpenClipboard(nullptr)) return "(not opened)";
    if (HANDLE data = GetClipboardData(format)) {
        if (const auto* p = static_cast<const char*>(GlobalLock(data))) {
            const std::size_t size = GlobalSize(data);
            bytes.assign(p, size);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return bytes;
}

std::wstring UnicodeOnClipboard() {
    const std::string bytes = OnClipboard(CF_UNICODETEXT);
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

std::string PlainOnClipboard() {
    const std::string bytes = OnClipboard(CF_TEXT);
    return bytes.substr(0, bytes.find('\0'));
}

// What another program leaves: these formats in this order, each given as its raw bytes plus a NUL.
void PutOnClipboard(HWND owner, const std::vector<std::pair<UINT, std::string>>& formats) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    for (const auto& [format, bytes] : formats) {
        const std::size_t nul = format == CF_UNICODETEXT ? sizeof(wchar_t) : 1;
        HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size() + nul);
        std::memcpy(GlobalLock(mem), bytes.data(), bytes.size());
        GlobalUnlock(mem);
        SetClipboardData(format, mem);
    }
    CloseClipboard();
}

std::string WideBytes(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

// Two UTF-8 editors side by side: the second stands for another instance of the program.
class UnicodeClipboardTest : public test::TwoEditorsTest {
protected:
    UnicodeClipboardTest() : TwoEditorsTest(true) {}
};

struct Utf8Case {
    const char* name;
    std::string text;
    std::string shiftJis;  // the rendering older programs read
};

class UnicodeRoundTrip : public UnicodeClipboardTest, public testing::WithParamInterface<Utf8Case> {};

TEST_P(UnicodeRoundTrip, CutCopyAndPasteKeepTheTextAndOtherProgramsReadIt) {
    const std::string& text = GetParam().text;
    clipboard.WriteUnicodeText(text);
    first->PasteFromClipboard();
    ASSERT_EQ(first->Text(), text) << "pasted as it was";
    first->SelectAll();
    first->CutToClipboard();
    EXPECT_EQ(first->Text(), "");
    EXPECT_EQ(clipboard.ReadUnicodeText(), text) << "the Unicode text is the selection";
    EXPECT_EQ(UnicodeOnClipboard(), Wide(text)) << "another program reads the Unicode text";
    EXPECT_EQ(PlainOnClipboard(), GetParam().shiftJis) << "the rendering for older programs";
    first->PasteFromClipboard();
    EXPECT_EQ(first->Text(), text) << "cut then paste";
    first->Undo();
    EXPECT_EQ(first->Text(), "") << "the paste is one undo step";
    first->Undo();
    EXPECT_EQ(first->Text(), text) << "a second undo takes the first back";
    first->SelectAll();
    first->CopyToClipboard();
    second->PasteFromClipboard();
    EXPECT_EQ(second->Text(), text) << "copied into the other editor";
}

const Utf8Case kUtf8Cases[] = {
    {"Japanese", U8(u8"日本語"), "日本語"},
    {"EmojiBeyondTheBasicPlane", U8(u8"a😀b"), "a?b"},
    {"EveryBreakKept", U8(u8"一\r\n二\n三\r四\r\n"), "一\r\n二\n三\r四\r\n"},
    {"OutsideShiftJis", U8(u8"鷗外 café"), "?外 caf?"},
};

INSTANTIATE_TEST_SUITE_P(Texts, UnicodeRoundTrip, testing::ValuesIn(kUtf8Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(UnicodeClipboardTest, PastesWhatOtherProgramsLeaveWithoutAStandIn) {
    const std::string sjisText = "表示\r\nソース";  // Shift-JIS bytes (the sources' execution character set)
    struct Case {
        const char* name;
        std::vector<std::pair<UINT, std::string>> formats;
        std::string pasted;
        std::string error;
    } cases[] = {
        {"plain text only, read as Shift-JIS", {{CF_TEXT, sjisText}}, U8(u8"表示\r\nソース"), ""},
        {"NEC special characters", {{CF_TEXT, "\x87\x40\x87\x90"}}, U8(u8"①≒"), ""},
        {"plain text stops at a byte that makes no character",
         {{CF_TEXT,
           "ab\x81\x20"
           "cd"}},
         "ab",
         "クリップボードの文字列を変換できません"},
        {"a lone lead byte at the end", {{CF_TEXT, "caf\xE9"}}, "caf", "クリップボードの文字列を変換できません"},
        {"Unicode text only", {{CF_UNICODETEXT, WideBytes(L"\U0001F600\r\n\x9DD7")}}, U8(u8"😀\r\n鷗"), ""},
        {"Unicode text richer than the plain text placed before it",
         {{CF_TEXT, "?"}, {CF_UNICODETEXT, WideBytes(L"\U0001F600")}},
         U8(u8"😀"),
         ""},
        {"Unicode text stops at half a surrogate pair",
         {{CF_UNICODETEXT, WideBytes(std::wstring(L"ab") + wchar_t(0xD83D) + L"cd")}},
         "ab",
         "クリップボードの文字列を変換できません"},
        {"Unicode text up to its first NUL", {{CF_UNICODETEXT, WideBytes(std::wstring(L"x\0y", 3))}}, "x", ""},
    };
    for (const Case& c : cases) {
        first->SetText("");
        PutOnClipboard(m_window.Handle(), c.formats);
        EXPECT_EQ(test::ErrorOf([&] { first->PasteFromClipboard(); }), c.error) << c.name;
        EXPECT_EQ(first->Text(), c.pasted) << c.name;
    }
}

TEST_F(UnicodeClipboardTest, AShiftJisCopyPastesIntoAUtf8DocumentAsFarAsItConverts) {
    ScintillaEditor sjis(m_window.Handle(), 102, RECT{0, 300, 300, 400});
    for (const auto& [bytes, pasted] : {std::pair<std::string, std::string>{"表示", U8(u8"表示")},
                                        std::pair<std::string, std::string>{"ok\x81", "ok"}}) {
        sjis.SetText(bytes);
        sjis.SelectAll();
        sjis.CopyToClipboard();
        first->SetText("");
        const std::string error = test::ErrorOf([&] { first->PasteFromClipboard(); });
        EXPECT_EQ(first->Text(), pasted) << "never the system's stand-in for a lone lead byte";
        EXPECT_EQ(error, pasted == "ok" ? "クリップボードの文字列を変換できません" : "");
    }
}

TEST_F(UnicodeClipboardTest, TheByteLimitCutsAPasteBetweenWholeCharacters) {
    struct Case {
        const char* name;
        std::string clip;
        int limit;
        std::string pasted;
    } cases[] = {
        {"an emoji that does not fit whole", U8(u8"ab😀"), 5, "ab"},
        {"an emoji that fits exactly", U8(u8"ab😀c"), 6, U8(u8"ab😀")},
        {"a kanji cut in its middle", U8(u8"日本語"), 8, U8(u8"日本")},
        {"a CR LF not split", "a\r\nb", 2, "a"},
    };
    for (const Case& c : cases) {
        first->SetText("");
        first->SetMaxLength(c.limit);
        clipboard.WriteUnicodeText(c.clip);
        first->PasteFromClipboard();
        EXPECT_EQ(first->Text(), c.pasted) << c.name;
    }
    // Typed: an emoji comes as two halves and is inserted whole or not at all.
    first->SetText("");
    first->SetMaxLength(3);
    for (const wchar_t unit : {L'a', wchar_t(0xD83C), wchar_t(0xDF63), L'b', L'c'})
        SendMessageW(first->Handle(), WM_CHAR, unit, 1);
    EXPECT_EQ(first->Text(), "abc");
}

TEST_F(UnicodeClipboardTest, ACopyThatCannotBeMadeIsRefusedAndChangesNothing) {
    first->SetClipboard(std::make_unique<Win32Clipboard>(first->Frame(), 5));
    clipboard.WriteUnicodeText("before");
    struct Case {
        const char* name;
        std::string text;
        std::string error;
    } cases[] = {
        {"above the limit in UTF-8 bytes", U8(u8"日本"),
         "文字列が大きすぎてクリップボードにコピーできません (最大 5 バイト)"},
        {"not well-formed UTF-8",
         "a\xFF"
         "b",
         "クリップボードの文字列を変換できません"},
    };
    for (const Case& c : cases) {
        first->SetText(c.text);
        first->SelectAll();
        EXPECT_EQ(test::ErrorOf([&] { first->CutToClipboard(); }), c.error) << c.name;
        EXPECT_EQ(first->Text(), c.text) << c.name << ": a refused cut deletes nothing";
        EXPECT_EQ(clipboard.ReadUnicodeText(), "before") << c.name;
    }
}

}  // namespace
}  // namespace tovel
