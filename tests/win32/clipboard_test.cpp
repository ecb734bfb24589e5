// Cut, copy and paste on the real editing component keep every byte: the plain text on the clipboard is
// the selection exactly, with a Unicode rendering beside it, and a paste inserts those bytes exactly, in
// this editor or in another one. A copy too large for the clipboard is refused.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>

#include "platform/win32/scintilla_editor.h"
#include "platform/win32/win32_clipboard.h"
#include "tests/win32/error_of.h"
#include "tests/win32/test_window.h"
#include "tests/win32/two_editors.h"

namespace tovel {
namespace {

std::wstring UnicodeOnClipboard() {
    std::wstring text;
    if (!OpenClipboard(nullptr)) return L"(not opened)";
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (const auto* p = data ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr) text = p;
    if (data) GlobalUnlock(data);
    CloseClipboard();
    return text;
}

std::wstring ShiftJisToUnicode(const std::string& bytes) {
    std::wstring text(bytes.size(), L'\0');
    const int n = static_cast<int>(bytes.size());
    text.resize(static_cast<std::size_t>(MultiByteToWideChar(932, 0, bytes.data(), n, text.data(), n)));
    return text;
}

// Two editors side by side: the second stands for another instance of the program.
class ClipboardTest : public test::TwoEditorsTest {};

struct BytesCase {
    const char* name;
    std::string bytes;
};

class ClipboardBytes : public ClipboardTest, public testing::WithParamInterface<BytesCase> {};

TEST_P(ClipboardBytes, CutCopyAndPasteGiveBackTheIdenticalBytes) {
    const std::string& bytes = GetParam().bytes;
    clipboard.WriteText(bytes);
    first->PasteFromClipboard();
    ASSERT_EQ(first->Text(), bytes) << "pasted as they were";
    first->SelectAll();
    first->CutToClipboard();
    EXPECT_EQ(clipboard.ReadText(), bytes) << "the plain text is the selection";
    EXPECT_EQ(UnicodeOnClipboard(), ShiftJisToUnicode(bytes)) << "the rendering for other programs";
    first->PasteFromClipboard();
    EXPECT_EQ(first->Text(), bytes) << "cut then paste";
    first->Undo();
    EXPECT_EQ(first->Text(), "") << "the paste is one undo step";
    first->Redo();
    EXPECT_EQ(first->Text(), bytes) << "a redo takes the undo back";
    first->SelectAll();
    first->CopyToClipboard();
    second->PasteFromClipboard();
    EXPECT_EQ(second->Text(), bytes) << "copied into the other editor";
}

std::string EveryByteButNul() {
    std::string bytes;
    for (int b = 1; b < 256; ++b) bytes += static_cast<char>(b);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(Texts, ClipboardBytes,
                         testing::Values(BytesCase{"IbmExtendedKanji", "\xEE\xE0\xED\x95"},
                                         BytesCase{"NecSpecialSymbols", "\x87\x90\x87\x91\x87\x92"},
                                         BytesCase{"Utf8", reinterpret_cast<const char*>(u8"<p>日本語のページ</p>")},
                                         BytesCase{"Latin1", "caf\xE9 au lait"},
                                         BytesCase{"EveryByteButNul", EveryByteButNul()}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClipboardTest, EveryKeyAndMessageTakesTheByteExactWay) {
    struct Route {
        WORD key;
        bool ctrl, shift;
        UINT message;  // sent instead of the key when set
    };
    const auto take = [](ScintillaEditor& editor, const Route& r) {
        if (r.message) {
            SendMessageW(editor.Handle(), r.message, 0, 0);
            return;
        }
        std::array<BYTE, 256> state{};
        state[VK_CONTROL] = r.ctrl ? 0x80 : 0;
        state[VK_SHIFT] = r.shift ? 0x80 : 0;
        SetKeyboardState(state.data());
        SendMessageW(editor.Handle(), WM_KEYDOWN, r.key, 1);
        SetKeyboardState(std::array<BYTE, 256>{}.data());
    };
    const Route cuts[] = {{'X', true, false, 0}, {VK_DELETE, false, true, 0}, {0, false, false, WM_CUT}};
    const Route copies[] = {{'C', true, false, 0}, {VK_INSERT, true, false, 0}, {0, false, false, WM_COPY}};
    const Route pastes[] = {{'V', true, false, 0}, {VK_INSERT, false, true, 0}, {0, false, false, WM_PASTE}};
    const std::string bytes = "\xEE\xE0\xED\x95\x87\x90";
    for (int i = 0; i < 3; ++i) {
        first->SetText(bytes);
        second->SetText("");
        first->SelectAll();
        take(*first, copies[i]);
        take(*second, pastes[i]);
        first->SelectAll();
        take(*first, cuts[i]);
        take(*second, pastes[i]);
        EXPECT_EQ(first->Text(), "") << i;
        EXPECT_EQ(second->Text(), bytes + bytes) << i;
    }
}

TEST_F(ClipboardTest, UnicodeTextFromAnotherProgramPastesInShiftJis) {
    const std::wstring text = L"表示\r\nソース";
    ASSERT_TRUE(OpenClipboard(m_window.Handle()));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(mem);
    SetClipboardData(CF_UNICODETEXT, mem);
    CloseClipboard();
    first->PasteFromClipboard();
    EXPECT_EQ(first->Text(), "表示\r\nソース");
}

TEST_F(ClipboardTest, ACopyTooLargeForTheClipboardIsRefusedAndChangesNothing) {
    first->SetClipboard(std::make_unique<Win32Clipboard>(first->Frame(), 4));
    clipboard.WriteText("before");
    first->SetText("abcdef");
    first->SetSelStart(1);
    first->SetSelLength(5);
    const std::string refusal = "文字列が大きすぎてクリップボードにコピーできません (最大 4 バイト)";
    EXPECT_EQ(test::ErrorOf([&] { first->CutToClipboard(); }), refusal);
    EXPECT_EQ(test::ErrorOf([&] { first->CopyToClipboard(); }), refusal);
    int errors = 0;
    first->SetErrorSink([&] { ++errors; });
    SendMessageW(first->Handle(), WM_CUT, 0, 0);
    EXPECT_EQ(errors, 1) << "asked by message, the refusal goes to the error sink";
    EXPECT_EQ(first->Text(), "abcdef") << "a refused cut deletes nothing";
    EXPECT_EQ(clipboard.ReadText(), "before");
    first->SetSelLength(4);  // at the limit: taken
    first->CutToClipboard();
    EXPECT_EQ(first->Text(), "af");
    EXPECT_EQ(clipboard.ReadText(), "bcde");
}

TEST_F(ClipboardTest, ACutOverTheRealLimitIsRefusedAndDeletesNothing) {
    first->SetText(std::string(kClipboardMaxBytes + 1, 'a'));
    first->SelectAll();
    clipboard.WriteText("before");
    EXPECT_EQ(test::ErrorOf([&] { first->CutToClipboard(); }),
              "文字列が大きすぎてクリップボードにコピーできません (最大 268435456 バイト)");
    EXPECT_EQ(first->TextView().size(), kClipboardMaxBytes + 1);
    EXPECT_EQ(clipboard.ReadText(), "before");
}

}  // namespace
}  // namespace tovel
