#pragma once
// Win32 menus built from the command table.
#include <windows.h>

#include <string>

#include "app/command_table.h"
#include "platform/win32/scoped_win.h"

namespace tovel {

// The menu bar: one drop-down per top-level item. Captions carry the shortcut's name after a tab.
ScopedMenu BuildMenuBar(const Menu& menu);
// A context menu.
ScopedMenu BuildPopupMenu(const Menu& menu);

// The caption an item shows: its caption, then a tab and the shortcut's name when it has one.
std::string MenuCaption(const MenuItem& item);
std::string MenuCaption(const std::string& caption, const Shortcut& shortcut);

// Changes the caption of the item that runs the command, keeping its shortcut's name.
void SetMenuCaption(HMENU menu, CommandId command, const std::string& caption, const Shortcut& shortcut);

// Shows or clears the check mark of the item that runs the command.
void CheckMenuCommand(HMENU menu, CommandId command, bool checked);

}  // namespace tovel
