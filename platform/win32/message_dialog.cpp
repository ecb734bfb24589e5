#include "platform/win32/message_dialog.h"

#include <exception>

#include "platform/byte_string.h"
#include "platform/win32/dialog_window.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/win32_clipboard.h"

namespace tovel::dialogs {
namespace {

constexpr char kStateProp[] = "TovelMessageDialog";
constexpr int kCloseBoxResult = 2;

struct MessageState {
    const MessageRequest& request;
    const std::function<void(const std::string&)>& reportError;
    ScopedFont font;
};

HFONT CreateMessageFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    return CreateFontIndirectA(&metrics.lfMessageFont);
}

void Build(HWND dlg, MessageState& s) {
    const MessageRequest& request = s.request;
    SetWindowTextA(dlg, request.caption.c_str());
    SetPropA(dlg, kStateProp, &s);
    s.font.Reset(CreateMessageFont());

    // CR, LF and CR LF all break a line; the static control draws what was measured.
    const std::string text = NormalizeLineBreaks(request.message);
    DialogUnits u;
    SIZE textSize{};
    std::vector<int> captionWidths;
    {
        ScopedGetDC dc(dlg);
        ScopedSelect select(dc.Get(), s.font.Get());
        u = MeasureUnits(dc.Get());
        textSize =
            MeasureText(dc.Get(), text, GetSystemMetrics(SM_CXSCREEN) / 2, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
        for (const auto& b : request.buttons)
            captionWidths.push_back(MeasureText(dc.Get(), b.caption, 0, DT_SINGLELINE).cx);
    }
    const MessageLayout l = LayoutMessage(u, textSize.cx, textSize.cy, request.icon != nullptr, captionWidths);

    if (request.icon) {
        HWND icon = AddControl(dlg, "STATIC", "", SS_ICON, -1, l.icon, s.font.Get());
        SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, request.icon)), 0);
        SetWindowPos(icon, nullptr, l.icon.x, l.icon.y, l.icon.w, l.icon.h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    AddControl(dlg, "STATIC", text, SS_LEFT | SS_NOPREFIX, -1, l.text, s.font.Get());
    HWND first = nullptr;
    for (std::size_t i = 0; i < request.buttons.size(); ++i) {
        const auto& b = request.buttons[i];
        const DWORD kind = b.result == request.defaultResult ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        HWND button = AddControl(dlg, "BUTTON", b.caption, WS_TABSTOP | kind, b.result, l.buttons[i], s.font.Get());
        if (!first) first = button;
    }
    SendMessageA(dlg, DM_SETDEFID, static_cast<WPARAM>(request.defaultResult), 0);
    PlaceCentred(dlg, l.clientWidth, l.clientHeight);
    if (first) SetFocus(first);
}

void CopyToClipboard(HWND dlg, const MessageState& s) {
    MessageBeep(0);
    std::vector<std::string> captions;
    for (const auto& b : s.request.buttons) captions.push_back(b.caption);
    try {
        Win32Clipboard(dlg).WriteText(MessageCopyText(s.request.caption, s.request.message, captions));
    } catch (const std::exception& e) {
        s.reportError(e.what());
    }
}

// Sees the keys of every dialog's modal loop on this thread before the dialog does; takes Ctrl+C
// when it is meant for a message dialog.
LRESULT CALLBACK CopyKeyHook(int code, WPARAM wp, LPARAM lp) {
    if (code == MSGF_DIALOGBOX) {
        const MSG* m = reinterpret_cast<const MSG*>(lp);
        if (m->message == WM_KEYDOWN && m->wParam == 'C' && GetKeyState(VK_CONTROL) < 0) {
            HWND root = GetAncestor(m->hwnd, GA_ROOT);
            if (auto* s = static_cast<MessageState*>(GetPropA(root, kStateProp))) {
                CopyToClipboard(root, *s);
                return 1;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

INT_PTR CALLBACK MessageProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        Build(dlg, *reinterpret_cast<MessageState*>(lp));
        return FALSE;  // the focus is on the first button
    }
    auto* s = static_cast<MessageState*>(GetPropA(dlg, kStateProp));
    if (!s) return FALSE;
    switch (msg) {
        case WM_COMMAND: {
            const int id = LOWORD(wp);
            for (const auto& b : s->request.buttons) {
                if (b.result == id) {
                    EndDialog(dlg, id);
                    return TRUE;
                }
            }
            if (id == IDCANCEL) {  // Esc when no button carries the cancel id
                EndDialog(dlg, s->request.cancelResult);
                return TRUE;
            }
            break;
        }
        case WM_CLOSE:
            EndDialog(dlg, kCloseBoxResult);
            return TRUE;
        case WM_DESTROY:
            RemovePropA(dlg, kStateProp);
            break;
    }
    return FALSE;
}

}  // namespace

int RunMessageDialog(HWND owner, const MessageRequest& request,
                     const std::function<void(const std::string&)>& reportError) {
    MessageState state{request, reportError, {}};
    HHOOK hook = SetWindowsHookExA(WH_MSGFILTER, CopyKeyHook, nullptr, GetCurrentThreadId());
    const INT_PTR r = RunModalDialog(owner, MessageProc, reinterpret_cast<LPARAM>(&state));
    if (hook) UnhookWindowsHookEx(hook);
    return static_cast<int>(r);
}

}  // namespace tovel::dialogs
