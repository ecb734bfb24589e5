#pragma once
// The command table as data: the menu bar, both context menus and the toolbar are built from it, and the
// shortcut lookup searches it. No Win32 here, so the lookup order is tested on the host.
#include <cstdint>
#include <span>
#include <string>

#include "app/command_ids.h"

namespace tovel {

// Virtual-key codes the table uses (the Win32 values).
namespace vk {
inline constexpr std::uint8_t kF1 = 0x70, kF3 = 0x72, kF4 = 0x73, kF5 = 0x74, kF11 = 0x7A, kF12 = 0x7B;
constexpr std::uint8_t Letter(char c) { return static_cast<std::uint8_t>(c); }
}  // namespace vk

struct Shortcut {
    std::uint8_t key = 0;  // 0: none
    bool ctrl = false, shift = false, alt = false;
    bool operator==(const Shortcut&) const = default;
    bool Empty() const { return key == 0; }
};

constexpr Shortcut Ctrl(char letter) { return {vk::Letter(letter), true, false, false}; }
constexpr Shortcut Key(std::uint8_t key) { return {key, false, false, false}; }

// The key name shown at the right of a menu item: "Ctrl+N", "F4", "Ctrl+Shift+F1".
std::string ShortcutText(const Shortcut& shortcut);

struct MenuItem {
    const char* name;     // the item's name in the design ("NewN1")
    const char* caption;  // "-" for a separator
    Shortcut shortcut;
    CommandId command;                // kNoCommand for separators and submenus
    std::span<const MenuItem> items;  // submenu items, in display order
    bool IsSeparator() const { return caption[0] == '-' && caption[1] == '\0'; }
};

struct Menu {
    const char* name;
    std::span<const MenuItem> items;  // for the menu bar: the top-level menus
};

const Menu& MainMenu1();
const Menu& NotePopup();
const Menu& ToolPopup();

struct ToolButton {
    const char* name;
    const char* caption;  // nullptr for a separator
    int image;            // index in the toolbar image list, -1 for a separator
    CommandId command;
};
std::span<const ToolButton> ToolBar1Buttons();

// Depth-first in display order (an item's submenu right after the item): the first item whose shortcut
// matches, or nullptr.
const MenuItem* FindShortcut(const Menu& menu, const Shortcut& shortcut);

// The item that runs a command, searched in all three menus, or nullptr.
const MenuItem* FindCommand(CommandId command);

}  // namespace tovel
