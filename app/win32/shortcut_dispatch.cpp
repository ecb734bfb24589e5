#include "app/win32/shortcut_dispatch.h"

namespace tovel {

Shortcut ShortcutFromKey(const MSG& msg) {
    Shortcut s;
    s.key = static_cast<std::uint8_t>(msg.wParam);
    s.ctrl = GetKeyState(VK_CONTROL) < 0;
    s.shift = GetKeyState(VK_SHIFT) < 0;
    s.alt = msg.message == WM_SYSKEYDOWN || GetKeyState(VK_MENU) < 0;
    return s;
}

const MenuItem* LookUpShortcut(HWND focus, const Shortcut& shortcut,
                               const std::function<const Menu*(HWND)>& contextMenuOf, const Menu& menuBar,
                               bool menuBarEnabled) {
    for (HWND w = focus; w; w = (GetWindowLongA(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr) {
        if (const Menu* menu = contextMenuOf(w)) {
            if (const MenuItem* item = FindShortcut(*menu, shortcut)) return item;
        }
    }
    return menuBarEnabled ? FindShortcut(menuBar, shortcut) : nullptr;
}

}  // namespace tovel
