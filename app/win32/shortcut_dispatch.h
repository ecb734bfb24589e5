#pragma once
// Finds the command a key runs: the context menu of the focused control, then of each parent (innermost
// first), then the menu bar. Windows with no context menu are skipped.
#include <windows.h>

#include <functional>

#include "app/command_table.h"

namespace tovel {

// The shortcut a key-down message forms with the current Ctrl, Shift and Alt states.
Shortcut ShortcutFromKey(const MSG& msg);

// `contextMenuOf` names the context menu of a window (nullptr for none); `menuBar` is searched last, and
// only when `menuBarEnabled` (the main window takes input).
const MenuItem* LookUpShortcut(HWND focus, const Shortcut& shortcut,
                               const std::function<const Menu*(HWND)>& contextMenuOf, const Menu& menuBar,
                               bool menuBarEnabled);

}  // namespace tovel
