#include "platform/win32/win32_progress.h"

#include <commctrl.h>

#include "platform/win32/dialog_window.h"
#include "platform/win32/ui_helpers.h"

namespace tovel {
namespace {

constexpr int kBarId = 100;
constexpr UINT kPumpEveryMs = 30;
constexpr int kRange = 1000;

}  // namespace

Win32Progress::~Win32Progress() { Close(); }

void Win32Progress::Start(std::string_view caption) {
    if (m_depth++ > 0) return;
    m_caption = caption;
    m_cancelled = false;
    m_unseen = false;
    m_started = m_lastPump = GetTickCount64();
}

void Win32Progress::Finish() {
    if (m_depth == 0 || --m_depth > 0) return;
    Close();
}

void Win32Progress::Step(std::uint64_t done, std::uint64_t total) {
    if (m_depth == 0) return;
    const std::uint64_t now = GetTickCount64();
    if (!m_window && !m_unseen && now - m_started >= m_showAfterMs) Show();
    if (m_window && now - m_lastPump >= kPumpEveryMs) {
        m_lastPump = now;
        const auto position = total == 0 ? kRange : static_cast<int>(done * kRange / total);
        SendMessageA(m_bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
        Pump();
    }
    if (m_cancelled) throw Cancelled();
}

void Win32Progress::Show() {
    // A modeless dialog from an empty template, so it is a dialog like every other box of the program.
    struct alignas(4) Template {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    };
    Template t{};
    t.header.style = dialogs::kDialogStyle;
    m_modal = std::make_unique<ModalScope>(&m_host);
    m_window = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &t.header, m_host.MainWindow(), DialogProc,
                                          reinterpret_cast<LPARAM>(this));
    if (!m_window) {
        m_modal.reset();  // no window: this operation goes on unseen, as it would have
        m_unseen = true;
        return;
    }
    m_owned.Reset(m_window);
    SetWindowTextA(m_window, m_caption.c_str());
    m_font.Reset(CreateMessageFont());
    const int unit = MulDiv(8, ScreenDpi(), 96);
    const int width = 40 * unit, height = 12 * unit;
    m_bar = dialogs::AddControl(m_window, PROGRESS_CLASSA, "", 0, kBarId,
                                {unit * 2, unit * 2, width - unit * 4, unit * 3}, m_font.Get());
    SendMessageA(m_bar, PBM_SETRANGE32, 0, kRange);
    const int buttonWidth = unit * 12, buttonHeight = unit * 3 + unit / 2;
    HWND cancel = dialogs::AddControl(m_window, "BUTTON", "キャンセル", BS_DEFPUSHBUTTON | WS_TABSTOP, IDCANCEL,
                                      {(width - buttonWidth) / 2, unit * 7, buttonWidth, buttonHeight}, m_font.Get());
    dialogs::PlaceCentred(m_window, width, height);
    ShowWindow(m_window, SW_SHOW);
    SetFocus(cancel);
    UpdateWindow(m_window);
}

void Win32Progress::Close() {
    m_owned.Reset();
    m_window = m_bar = nullptr;
    m_modal.reset();  // the other windows take input again once the box is gone
    m_font.Reset();
}

void Win32Progress::Pump() {
    MSG msg;
    // The window's own messages, timers and paints; nothing else is taken off the queue. A timer only
    // reads the text (the recovery copy), which stands still meanwhile.
    while (m_window && PeekMessageA(&msg, m_window, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageA(m_window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    while (PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) DispatchMessageA(&msg);
    while (PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&msg);
}

INT_PTR CALLBACK Win32Progress::DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lp);
        return FALSE;
    }
    auto* self = reinterpret_cast<Win32Progress*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self) return FALSE;
    if ((msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) || (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_CLOSE)) {
        self->m_cancelled = true;
        return TRUE;
    }
    return FALSE;
}

}  // namespace tovel
