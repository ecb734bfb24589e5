#include "platform/win32/modal_scope.h"

#include "platform/win32/win32_desktop_window.h"

namespace tovel {
namespace {

constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

}  // namespace

ModalScope::ModalScope(const DialogHost* host) : m_active(GetActiveWindow()), m_focus(GetFocus()) {
    ++s_open;
    EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(this));
    HWND main = host ? host->MainWindow() : nullptr;
    if (main && IsWindow(main) && (GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
        LeaveTopmostBand(main, kKeepPlace);
        m_lowered = main;
    }
}

BOOL CALLBACK ModalScope::Collect(HWND hwnd, LPARAM param) {
    auto* self = reinterpret_cast<ModalScope*>(param);
    if (self->m_count < 16 && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) &&
        !(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) {
        EnableWindow(hwnd, FALSE);
        self->m_disabled[self->m_count++] = hwnd;
    }
    return TRUE;
}

ModalScope::~ModalScope() {
    --s_open;
    for (int i = m_count - 1; i >= 0; --i) {
        if (IsWindow(m_disabled[i])) EnableWindow(m_disabled[i], TRUE);
    }
    if (m_lowered && IsWindow(m_lowered)) EnterTopmostBand(m_lowered, kKeepPlace);
    if (m_active && IsWindow(m_active)) SetActiveWindow(m_active);
    if (m_focus && IsWindow(m_focus)) SetFocus(m_focus);
}

}  // namespace tovel
