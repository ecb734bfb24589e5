#include "app/dialogs/input_box.h"

#include "app/dialogs/dialog_window.h"
#include "platform/sjis.h"
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
    bool trimming = false;
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

// Windows' ANSI edit box limits bytes; Wine's limits characters, so double-byte text could pass 255
// bytes there. Cut any excess at a whole character.
void KeepWithinLimit(InputState& s) {
    if (s.trimming) return;
    const std::string text = WindowText(s.edit);
    if (text.size() <= static_cast<std::size_t>(kInputLimitBytes)) return;
    std::size_t cut = 0;
    for (std::size_t next; cut < text.size() && (next = NextCharPos(text, cut)) <= kInputLimitBytes;) cut = next;
    s.trimming = true;
    SetWindowTextA(s.edit, text.substr(0, cut).c_str());
    SendMessageA(s.edit, EM_SETSEL, 0x7FFF, 0x7FFF);
    s.trimming = false;
    MessageBeep(0);
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
            if (LOWORD(wp) == kEditId && HIWORD(wp) == EN_CHANGE) {
                KeepWithinLimit(*s);
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

std::string RunInputBox(HWND owner, const std::string& caption, const std::string& prompt, const std::string& def) {
    InputState state{caption, prompt, def, {}, {}, nullptr, false};
    const INT_PTR r = RunModalDialog(owner, InputProc, reinterpret_cast<LPARAM>(&state));
    return r == IDOK ? state.result : def;
}

}  // namespace tovel::dialogs
