#include "platform/win32/input_box.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <string_view>

#include "platform/sjis.h"
#include "platform/win32/dialog_window.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/ui_helpers.h"
#include "platform/win32/window_base.h"

namespace tovel::dialogs {
namespace {

constexpr int kEditId = 100;

// Whether the ANSI edit box counts positions in characters (Wine) rather than bytes (Windows).
bool EditCountsCharacters() {
    static const bool counts = [] {
        HWND probe = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                                     nullptr);
        SetWindowTextA(probe, "\x82\xa0");  // one double-byte character
        DWORD start = 0, end = 0;
        SendMessageA(probe, EM_SETSEL, 0, -1);
        SendMessageA(probe, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        DestroyWindow(probe);
        return end == 1;
    }();
    return counts;
}

// Nothing for text that is not well-formed UTF-8: the box never shows a guess at it.
std::wstring Widen(std::string_view utf8) {
    if (utf8.empty() || utf8.size() > INT_MAX / 2) return {};
    const int n = static_cast<int>(utf8.size());
    const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), n, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(units, 0)), L'\0');
    if (units > 0) MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), n, wide.data(), units);
    return wide;
}

// Half a surrogate pair standing alone (no keyboard types one) becomes U+FFFD, the one UTF-8 can show.
std::string Utf8Of(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int n = static_cast<int>(wide.size());
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(std::max(bytes, 0)), '\0');
    if (bytes > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), n, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
}

std::wstring WideWindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    const int n = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(n, 0)));
    return text;
}

// True when replacing the selection of a Unicode box with `adding` UTF-8 bytes would take its text, counted
// in UTF-8 bytes, past the limit.
bool WouldExceedUtf8Limit(HWND edit, std::size_t adding) {
    const std::wstring text = WideWindowText(edit);
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring_view view = text;
    const std::size_t from = std::min<std::size_t>(start, view.size()), to = std::min<std::size_t>(end, view.size());
    const std::size_t selected = Utf8Of(view.substr(from, to - from)).size();
    return Utf8Of(view).size() - selected + adding > static_cast<std::size_t>(kInputLimitBytes);
}

// True when replacing the selection with `adding` bytes would take the text past the limit.
bool WouldExceedLimit(HWND edit, std::size_t adding) {
    const std::string text = WindowText(edit);
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    std::size_t from = start, to = end;
    if (EditCountsCharacters()) {
        from = ByteOffsetOfChars(text, start);
        to = ByteOffsetOfChars(text, end);
    }
    return text.size() - (to - from) + adding > static_cast<std::size_t>(kInputLimitBytes);
}

// The first line of the clipboard's text, as a one-line edit box pastes it.
std::size_t PastedBytes(HWND edit) {
    std::size_t bytes = 0;
    if (!OpenClipboard(edit)) return 0;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            while (p[bytes] && p[bytes] != '\r' && p[bytes] != '\n') ++bytes;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return bytes;
}

// The UTF-8 bytes of the first line of the clipboard's Unicode text.
std::size_t PastedUtf8Bytes(HWND edit) {
    std::wstring line;
    if (!OpenClipboard(edit)) return 0;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
            std::size_t units = 0;
            while (p[units] && p[units] != L'\r' && p[units] != L'\n') ++units;
            line.assign(p, units);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return Utf8Of(line).size();
}

// UTF-8 bytes a character typed into a Unicode box takes. A character beyond the basic plane comes as two
// halves: the first counts all four bytes, the second nothing.
std::size_t TypedUtf8Bytes(WPARAM wp, bool& firstHalf) {
    const auto c = static_cast<wchar_t>(wp);
    firstHalf = c >= 0xD800 && c <= 0xDBFF;
    if (c < 0x20 || c == 0x7F || (c >= 0xDC00 && c <= 0xDFFF)) return 0;
    if (firstHalf) return 4;
    return c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
}

// The 255-byte limit refuses what would pass it: the character or the paste is not taken, and the text
// and caret stay as they were (the box never cuts its own tail). The edit box's own limit counts
// characters under Wine, so the bytes are counted here before the box sees the input.
// Bytes a typed character takes in the ANSI text. A Unicode edit box (the common-controls one) gets
// UTF-16 characters; an ANSI one gets the bytes, a double-byte character as its lead byte first.
std::size_t TypedBytes(HWND edit, WPARAM wp, bool& leadByte) {
    leadByte = false;
    if (IsWindowUnicode(edit)) {
        const auto c = static_cast<wchar_t>(wp);
        if (c < 0x20 || c == 0x7F) return 0;
        char bytes[4];
        const int n = WideCharToMultiByte(CP_ACP, 0, &c, 1, bytes, sizeof bytes, nullptr, nullptr);
        return n > 0 ? static_cast<std::size_t>(n) : 1;
    }
    const auto byte = static_cast<unsigned char>(wp);
    if (byte < 0x20 || byte == 0x7F) return 0;
    leadByte = IsLeadByte(byte);
    return leadByte ? 2 : 1;
}

// The edit box under the byte limit: ANSI bytes, or UTF-8 bytes for the Unicode box.
class LimitedEdit : public WindowBase {
public:
    using WindowBase::Attach;
    void CountUtf8() { m_utf8 = true; }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_CHAR || msg == WM_IME_CHAR || msg == WM_PASTE) {
            if ((msg == WM_CHAR || (m_utf8 && msg == WM_IME_CHAR)) && m_refuseTrail) {
                m_refuseTrail = false;
                return 0;
            }
            bool leadByte = false;
            std::size_t adding = 0;
            if (m_utf8)
                adding = msg == WM_PASTE ? PastedUtf8Bytes(Handle()) : TypedUtf8Bytes(wp, leadByte);
            else if (msg == WM_PASTE)
                adding = PastedBytes(Handle());
            else if (msg == WM_CHAR)
                adding = TypedBytes(Handle(), wp, leadByte);
            else
                adding = IsWindowUnicode(Handle()) ? TypedBytes(Handle(), wp, leadByte) : (wp > 0xFF ? 2 : 1);
            if (adding && (m_utf8 ? WouldExceedUtf8Limit(Handle(), adding) : WouldExceedLimit(Handle(), adding))) {
                m_refuseTrail = leadByte;
                MessageBeep(0);
                return 0;
            }
        }
        return DefaultMessage(msg, wp, lp);
    }

private:
    bool m_utf8 = false;
    // The lead byte of a refused double-byte character came (or the first half of a refused character
    // beyond the basic plane): its trail follows and is refused too.
    bool m_refuseTrail = false;
};

class InputDialog : public DialogBase {
public:
    InputDialog(const std::string& caption, const std::string& prompt, const std::string& def, bool utf8)
        : m_caption(caption), m_prompt(prompt), m_def(def), m_utf8(utf8) {}

    std::optional<std::string> Run(HWND owner) {
        if (RunModal(owner) != IDOK) return std::nullopt;
        return m_result;
    }

protected:
    INT_PTR OnDialogMessage(UINT msg, WPARAM wp, LPARAM) override {
        if (msg == WM_INITDIALOG) {
            Build();
            return FALSE;  // the focus is set
        }
        return EndOnOkCancel(msg, wp, [&] { m_result = m_utf8 ? Utf8Of(WideWindowText(m_edit)) : WindowText(m_edit); })
                   ? TRUE
                   : FALSE;
    }

private:
    void Build();

    const std::string& m_caption;
    const std::string& m_prompt;
    const std::string& m_def;
    const bool m_utf8;  // a Unicode edit box, its text UTF-8
    std::string m_result;
    ScopedFont m_font;
    HWND m_edit = nullptr;
    LimitedEdit m_limit;
};

void InputDialog::Build() {
    HWND dlg = Handle();
    SetWindowTextA(dlg, m_caption.c_str());
    m_font.Reset(CreateUserInterfaceFont(ScreenDpi()));
    DialogUnits u;
    int promptHeight = 0;
    {
        ScopedGetDC dc(dlg);
        ScopedSelect select(dc.Get(), m_font.Get());
        u = MeasureUnits(dc.Get());
        promptHeight = MeasureText(dc.Get(), m_prompt, PromptWidth(u), DT_WORDBREAK | DT_NOPREFIX).cy;
    }
    // The edit box is one text line high plus its sunken border and inner margin.
    const InputBoxLayout l = LayoutInputBox(u, promptHeight, u.y + 8);

    AddControl(dlg, "STATIC", m_prompt, SS_LEFT | SS_NOPREFIX, -1, l.prompt, m_font.Get());
    const DWORD editStyle = WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
    if (m_utf8) {
        // The Unicode box looks the same; it takes every character, and its text is never an ANSI one.
        // (Its own limit counts UTF-16 units, never more than the UTF-8 bytes counted here.)
        m_edit =
            CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", Widen(m_def).c_str(), editStyle | WS_CHILD | WS_VISIBLE,
                            l.edit.x, l.edit.y, l.edit.w, l.edit.h, dlg,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), GetModuleHandleW(nullptr), nullptr);
        SendMessageW(m_edit, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
        m_limit.CountUtf8();
    } else {
        m_edit = AddControl(dlg, "EDIT", m_def, editStyle, kEditId, l.edit, m_font.Get(), WS_EX_CLIENTEDGE);
    }
    SendMessageA(m_edit, EM_LIMITTEXT, kInputLimitBytes, 0);
    m_limit.Attach(m_edit);
    AddControl(dlg, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, l.ok, m_font.Get());
    AddControl(dlg, "BUTTON", "キャンセル", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, l.cancel, m_font.Get());
    SendMessageA(dlg, DM_SETDEFID, IDOK, 0);
    PlaceCentred(dlg, l.clientWidth, l.clientHeight);

    SetFocus(m_edit);
    SendMessageA(m_edit, EM_SETSEL, 0, -1);
}

}  // namespace

std::optional<std::string> RunInputBox(HWND owner, const std::string& caption, const std::string& prompt,
                                       const std::string& def) {
    return InputDialog(caption, prompt, def, false).Run(owner);
}

std::optional<std::string> RunUnicodeInputBox(HWND owner, const std::string& caption, const std::string& prompt,
                                              const std::string& defUtf8) {
    return InputDialog(caption, prompt, defUtf8, true).Run(owner);
}

}  // namespace tovel::dialogs
