#pragma once
// Win32 menus built from the command table.
#include <windows.h>

#include <utility>

#include "app/command_table.h"

namespace tovel {

// Owns a menu destroyed with DestroyMenu (a menu bar attached to a window is destroyed with the window,
// so Release() it after SetMenu).
class ScopedMenu {
public:
    ScopedMenu() = default;
    explicit ScopedMenu(HMENU menu) : m_menu(menu) {}
    ScopedMenu(const ScopedMenu&) = delete;
    ScopedMenu& operator=(const ScopedMenu&) = delete;
    ScopedMenu(ScopedMenu&& o) noexcept : m_menu(std::exchange(o.m_menu, nullptr)) {}
    ScopedMenu& operator=(ScopedMenu&& o) noexcept {
        Reset(std::exchange(o.m_menu, nullptr));
        return *this;
    }
    ~ScopedMenu() { Reset(); }
    HMENU Get() const { return m_menu; }
    HMENU Release() { return std::exchange(m_menu, nullptr); }
    void Reset(HMENU menu = nullptr) {
        if (m_menu) DestroyMenu(m_menu);
        m_menu = menu;
    }

private:
    HMENU m_menu = nullptr;
};

// The menu bar: one drop-down per top-level item. Captions carry the shortcut's name after a tab.
ScopedMenu BuildMenuBar(const Menu& menu);
// A context menu.
ScopedMenu BuildPopupMenu(const Menu& menu);

// The caption an item shows: its caption, then a tab and the shortcut's name when it has one.
std::string MenuCaption(const MenuItem& item);
std::string MenuCaption(const std::string& caption, const Shortcut& shortcut);

// Changes the caption of the item that runs the command, keeping its shortcut's name.
void SetMenuCaption(HMENU menu, CommandId command, const std::string& caption, const Shortcut& shortcut);

}  // namespace tovel
