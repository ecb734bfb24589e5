#include "platform/win32/input_box.h"

#include <commctrl.h>

#include "platform/sjis.h"
#include "platform/win32/dialog_window.h"
#include "platform/win32/scoped_win.h"

namespace tovel::dialogs {
namespace {

constexpr int kEditId = 100;

struct InputState {
    const std::string& caption;
    const std::string& prompt;
    const std::string& def;
    std::string result;
    ScopedFont font;
    HWND edit = nullptr;
    bool refuseTrail = false;  // the lead byte of a refused double-byte character came; its trail follows
};

// The user-interface font: MS P Gothic 9 pt on a Shift-JIS system, MS Sans Serif 8 pt elsewhere.
HFONT CreateInputFont() {
    ScopedGetDC screen(nullptr);
    const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
    const bool shiftJis = GetACP() == 932;
    return CreateFontA(-MulDiv(shiftJis ? 9 : 8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       shiftJis ? SHIFTJIS_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, shiftJis ? "ＭＳ Ｐゴシック" : "MS Sans Serif");
}

std::string WindowText(HWND hwnd) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    const int n = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}

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

LRESULT CALLBACK LimitProc(HWND edit, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto& s = *reinterpret_cast<InputState*>(ref);
    if (msg == WM_CHAR || msg == WM_IME_CHAR || msg == WM_PASTE) {
        if (msg == WM_CHAR && s.refuseTrail) {
            s.refuseTrail = false;
            return 0;
        }
        bool leadByte = false;
        std::size_t adding = 0;
        if (msg == WM_PASTE)
            adding = PastedBytes(edit);
        else if (msg == WM_CHAR)
            adding = TypedBytes(edit, wp, leadByte);
        else
            adding = IsWindowUnicode(edit) ? TypedBytes(edit, wp, leadByte) : (wp > 0xFF ? 2 : 1);
        if (adding && WouldExceedLimit(edit, adding)) {
            s.refuseTrail = leadByte;
            MessageBeep(0);
            return 0;
        }
    } else if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(edit, LimitProc, 0);
    }
    return DefSubclassProc(edit, msg, wp, lp);
}

void Build(HWND dlg, InputState& s) {
    SetWindowTextA(dlg, s.caption.c_str());
    s.font.Reset(CreateInputFont());
    DialogUnits u;
    int promptHeight = 0;
    {
        ScopedGetDC dc(dlg);
        ScopedSelect select(dc.Get(), s.font.Get());
        u = MeasureUnits(dc.Get());
        promptHeight = MeasureText(dc.Get(), s.prompt, PromptWidth(u), DT_WORDBREAK | DT_NOPREFIX).cy;
    }
    // The edit box is one text line high plus its sunken border and inner margin.
    const InputBoxLayout l = LayoutInputBox(u, promptHeight, u.y + 8);

    AddControl(dlg, "STATIC", s.prompt, SS_LEFT | SS_NOPREFIX, -1, l.prompt, s.font.Get());
    s.edit = AddControl(dlg, "EDIT", s.def, WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, kEditId, l.edit, s.font.Get(),
                        WS_EX_CLIENTEDGE);
    SendMessageA(s.edit, EM_LIMITTEXT, kInputLimitBytes, 0);
    SetWindowSubclass(s.edit, LimitProc, 0, reinterpret_cast<DWORD_PTR>(&s));
    AddControl(dlg, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, l.ok, s.font.Get());
    AddControl(dlg, "BUTTON", "キャンセル", WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL, l.cancel, s.font.Get());
    SendMessageA(dlg, DM_SETDEFID, IDOK, 0);
    PlaceCentred(dlg, l.clientWidth, l.clientHeight);

    SetFocus(s.edit);
    SendMessageA(s.edit, EM_SETSEL, 0, -1);
}

INT_PTR CALLBACK InputProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(dlg, DWLP_USER, lp);
        Build(dlg, *reinterpret_cast<InputState*>(lp));
        return FALSE;  // the focus is set
    }
    auto* s = reinterpret_cast<InputState*>(GetWindowLongPtrA(dlg, DWLP_USER));
    if (!s) return FALSE;
    switch (msg) {
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK) {
                s->result = WindowText(s->edit);
                EndDialog(dlg, IDOK);
                return TRUE;
            }
            if (LOWORD(wp) == IDCANCEL) {
                EndDialog(dlg, IDCANCEL);
                return TRUE;
            }
            break;
        case WM_CLOSE:
            EndDialog(dlg, IDCANCEL);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

std::optional<std::string> RunInputBox(HWND owner, const std::string& caption, const std::string& prompt,
                                       const std::string& def) {
    InputState state{caption, prompt, def, {}, {}, nullptr, false};
    const INT_PTR r = RunModalDialog(owner, InputProc, reinterpret_cast<LPARAM>(&state));
    if (r != IDOK) return std::nullopt;
    return state.result;
}

}  // namespace tovel::dialogs
