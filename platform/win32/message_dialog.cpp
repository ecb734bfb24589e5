#include "platform/win32/message_dialog.h"

#include <exception>

#include "platform/byte_string.h"
#include "platform/win32/dialog_window.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/ui_helpers.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/window_base.h"

namespace tovel::dialogs {
namespace {

constexpr int kCloseBoxResult = 2;

class MessageDialog : public DialogBase {
public:
    MessageDialog(const MessageRequest& request, const std::function<void(const std::string&)>& reportError)
        : m_request(request), m_reportError(reportError) {}

    int Run(HWND owner) { return static_cast<int>(RunModal(owner)); }
    void CopyToClipboard();

protected:
    INT_PTR OnDialogMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Build();

    const MessageRequest& m_request;
    const std::function<void(const std::string&)>& m_reportError;
    ScopedFont m_font;
};

void MessageDialog::Build() {
    HWND dlg = Handle();
    const MessageRequest& request = m_request;
    SetWindowTextA(dlg, request.caption.c_str());
    m_font.Reset(CreateMessageFont());

    // CR, LF and CR LF all break a line; the static control draws what was measured.
    const std::string text = NormalizeLineBreaks(request.message);
    DialogUnits u;
    SIZE textSize{};
    std::vector<int> captionWidths;
    {
        ScopedGetDC dc(dlg);
        ScopedSelect select(dc.Get(), m_font.Get());
        u = MeasureUnits(dc.Get());
        textSize =
            MeasureText(dc.Get(), text, GetSystemMetrics(SM_CXSCREEN) / 2, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        for (const auto& b : request.buttons)
            captionWidths.push_back(MeasureText(dc.Get(), b.caption, 0, DT_SINGLELINE).cx);
    }
    const MessageLayout l = LayoutMessage(u, textSize.cx, textSize.cy, request.icon != nullptr, captionWidths);

    if (request.icon) {
        HWND icon = AddControl(dlg, "STATIC", "", SS_ICON, -1, l.icon, m_font.Get());
        SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, request.icon)), 0);
        SetWindowPos(icon, nullptr, l.icon.x, l.icon.y, l.icon.w, l.icon.h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    AddControl(dlg, "STATIC", text, SS_LEFT | SS_NOPREFIX, -1, l.text, m_font.Get());
    HWND first = nullptr;
    for (std::size_t i = 0; i < request.buttons.size(); ++i) {
        const auto& b = request.buttons[i];
        const DWORD kind = b.result == request.defaultResult ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        HWND button = AddControl(dlg, "BUTTON", b.caption, WS_TABSTOP | kind, b.result, l.buttons[i], m_font.Get());
        if (!first) first = button;
    }
    SendMessageA(dlg, DM_SETDEFID, static_cast<WPARAM>(request.defaultResult), 0);
    PlaceCentred(dlg, l.clientWidth, l.clientHeight);
    if (first) SetFocus(first);
}

void MessageDialog::CopyToClipboard() {
    MessageBeep(0);
    std::vector<std::string> captions;
    for (const auto& b : m_request.buttons) captions.push_back(b.caption);
    try {
        Win32Clipboard(Handle()).WriteText(MessageCopyText(m_request.caption, m_request.message, captions));
    } catch (const std::exception& e) {
        m_reportError(e.what());
    }
}

// Sees the keys of every dialog's modal loop on this thread before the dialog does; takes Ctrl+C
// when it is meant for a message dialog.
LRESULT CALLBACK CopyKeyHook(int code, WPARAM wp, LPARAM lp) {
    if (code == MSGF_DIALOGBOX) {
        const MSG* m = reinterpret_cast<const MSG*>(lp);
        if (m->message == WM_KEYDOWN && m->wParam == 'C' && GetKeyState(VK_CONTROL) < 0) {
            HWND root = GetAncestor(m->hwnd, GA_ROOT);
            if (auto* dialog = dynamic_cast<MessageDialog*>(DialogBase::FromHandle(root))) {
                dialog->CopyToClipboard();
                return 1;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

INT_PTR MessageDialog::OnDialogMessage(UINT msg, WPARAM wp, LPARAM) {
    HWND dlg = Handle();
    switch (msg) {
        case WM_INITDIALOG:
            Build();
            return FALSE;  // the focus is on the first button
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            for (const auto& b : m_request.buttons) {
                if (b.result == id) {
                    EndDialog(dlg, id);
                    return TRUE;
                }
            }
            if (id == IDCANCEL) {  // Esc when no button carries the cancel id
                EndDialog(dlg, m_request.cancelResult);
                return TRUE;
            }
            break;
        }
        case WM_CLOSE:
            EndDialog(dlg, kCloseBoxResult);
            return TRUE;
    }
    return FALSE;
}

}  // namespace

int RunMessageDialog(HWND owner, const MessageRequest& request,
                     const std::function<void(const std::string&)>& reportError) {
    MessageDialog dialog(request, reportError);
    HHOOK hook = SetWindowsHookExA(WH_MSGFILTER, CopyKeyHook, nullptr, GetCurrentThreadId());
    const int r = dialog.Run(owner);
    if (hook) UnhookWindowsHookEx(hook);
    return r;
}

}  // namespace tovel::dialogs
