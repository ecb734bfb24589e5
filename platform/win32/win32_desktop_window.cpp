#include "platform/win32/win32_desktop_window.h"

#include <utility>
#include <vector>

namespace tovel {

void LeaveTopmostBand(HWND window, UINT flags) {
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    if (!(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST)) return;
    // Wine keeps an owned window right above its owner whatever it is asked, so with the owner directly
    // below, the request above changed nothing. The owner (the program's invisible application window,
    // whose place among the others shows nowhere) goes to the bottom first; then the request is honoured.
    HWND owner = GetWindow(window, GW_OWNER);
    if (!owner || GetWindow(window, GW_HWNDNEXT) != owner) return;
    SetWindowPos(owner, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
}

namespace {

BOOL CALLBACK CollectHiddenOwned(HWND candidate, LPARAM param) {
    auto* found = reinterpret_cast<std::pair<HWND, std::vector<HWND>>*>(param);
    if (GetWindow(candidate, GW_OWNER) == found->first && !IsWindowVisible(candidate))
        found->second.push_back(candidate);
    return TRUE;
}

}  // namespace

void EnterTopmostBand(HWND window, UINT flags) {
    // Wine gives the flag to one of the windows the window owns instead of the window itself, even to a
    // hidden one (the About box and the settings dialog while closed). The hidden ones are let go of for
    // the move and owned again after it; the shown ones must stay above their owner throughout.
    std::pair<HWND, std::vector<HWND>> hidden{window, {}};
    EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), CollectHiddenOwned, reinterpret_cast<LPARAM>(&hidden));
    for (HWND box : hidden.second) SetWindowLongPtrA(box, GWLP_HWNDPARENT, 0);
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, flags);
    for (HWND box : hidden.second) SetWindowLongPtrA(box, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(window));
}

Win32DesktopWindow::Win32DesktopWindow(HWND window) : m_window(window) {
    if (HMODULE user32 = GetModuleHandleA("User32.dll")) {
        // Through void(*)(): the cast between two unrelated function types is what GetProcAddress asks for.
        m_setLayeredAttributes = reinterpret_cast<SetLayeredAttributesProc>(
            reinterpret_cast<void (*)()>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
    }
}

void Win32DesktopWindow::SetTopmost(bool topmost) {
    // Only the window's place among the others changes: the window and everything in it stay as they are.
    constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (topmost) {
        EnterTopmostBand(m_window, kKeepPlace);
    } else {
        LeaveTopmostBand(m_window, kKeepPlace);
    }
}

void Win32DesktopWindow::SetOpacity(std::uint8_t alpha) {
    if (!m_setLayeredAttributes) return;
    const LONG exStyle = GetWindowLongA(m_window, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_LAYERED)) SetWindowLongA(m_window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    m_setLayeredAttributes(m_window, 0, alpha, LWA_ALPHA);
}

void Win32DesktopWindow::SetOpaque() {
    SetWindowLongA(m_window, GWL_EXSTYLE, GetWindowLongA(m_window, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    RedrawWindow(m_window, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
}

int Win32DesktopWindow::Height() const {
    RECT r{};
    GetWindowRect(m_window, &r);
    return r.bottom - r.top;
}

void Win32DesktopWindow::SetHeight(int height) {
    RECT r{};
    GetWindowRect(m_window, &r);
    SetWindowPos(m_window, nullptr, 0, 0, r.right - r.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tovel
