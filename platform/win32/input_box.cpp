#include "platform/win32/input_box.h"

#include <commctrl.h>

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

// The edit box under the byte limit.
class LimitedEdit : public WindowBase {
public:
    using WindowBase::Attach;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_CHAR || msg == WM_IME_CHAR || msg == WM_PASTE) {
            if (msg == WM_CHAR && m_refuseTrail) {
                m_refuseTrail = false;
                return 0;
            }
            bool leadByte = false;
            std::size_t adding = 0;
            if (msg == WM_PASTE)
                adding = PastedBytes(Handle());
            else if (msg == WM_CHAR)
                adding = TypedBytes(Handle(), wp, leadByte);
            else
                adding = IsWindowUnicode(Handle()) ? TypedBytes(Handle(), wp, leadByte) : (wp > 0xFF ? 2 : 1);
            if (adding && WouldExceedLimit(Handle(), adding)) {
                m_refuseTrail = leadByte;
                MessageBeep(0);
                return 0;
            }
        }
        return DefaultMessage(msg, wp, lp);
    }

private:
    bool m_refuseTrail = false;  // the lead byte of a refused double-byte character came; its trail follows
};

class InputDialog : public DialogBase {
public:
    InputDialog(const std::string& caption, const std::string& prompt, const std::string& def)
        : m_caption(caption), m_prompt(prompt), m_def(def) {}

    std::optional<std::string> Run(HWND owner) {
        if (RunModal(owner) != IDOK) return std::nullopt;
        return m_result;
    }

protected:
    INT_PTR OnDialogMessage(UINT msg, WPARAM wp, LPARAM) override {
        switch (msg) {
            case WM_INITDIALOG:
                Build();
                return FALSE;  // the focus is set
            case WM_COMMAND:
                if (LOWORD(wp) == IDOK) {
                    m_result = WindowText(m_edit);
                    EndDialog(Handle(), IDOK);
                    return TRUE;
                }
                if (LOWORD(wp) == IDCANCEL) {
                    EndDialog(Handle(), IDCANCEL);
                    return TRUE;
                }
                break;
            case WM_CLOSE:
                EndDialog(Handle(), IDCANCEL);
                return TRUE;
        }
        return FALSE;
    }

private:
    void Build();

    const std::string& m_caption;
    const std::string& m_prompt;
    const std::string& m_def;
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
    m_edit = AddControl(dlg, "EDIT", m_def, WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, kEditId, l.edit, m_font.Get(),
                        WS_EX_CLIENTEDGE);
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
    return InputDialog(caption, prompt, def).Run(owner);
}

}  // namespace tovel::dialogs
