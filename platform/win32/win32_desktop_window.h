#pragma once
#include <windows.h>

#include "platform/desktop_window.h"

namespace tovel {

// Takes a top-level window out of the topmost band with these SetWindowPos flags (its place, size and
// activation kept: SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE at least).
void LeaveTopmostBand(HWND window, UINT flags);
// Puts the window into the topmost band, with SetWindowPos's `flags`.
void EnterTopmostBand(HWND window, UINT flags);

// The desktop-window operations on a real top-level window: SetWindowPos for the band and the height, the
// layered style with SetLayeredWindowAttributes (looked up by name in User32.dll when made, so a system
// without it simply has no transparency).
class Win32DesktopWindow : public IDesktopWindow {
public:
    explicit Win32DesktopWindow(HWND window);

    void SetTopmost(bool topmost) override;
    bool CanBeTranslucent() const override { return m_setLayeredAttributes != nullptr; }
    void SetOpacity(std::uint8_t alpha) override;
    void SetOpaque() override;
    int Height() const override;
    void SetHeight(int height) override;

private:
    using SetLayeredAttributesProc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

    HWND m_window;
    SetLayeredAttributesProc m_setLayeredAttributes = nullptr;
};

}  // namespace tovel
