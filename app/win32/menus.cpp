#include "app/win32/menus.h"

namespace tovel {
namespace {

void AppendItems(HMENU target, std::span<const MenuItem> items) {
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            AppendMenuA(target, MF_SEPARATOR, 0, nullptr);
        } else if (!item.items.empty()) {
            ScopedMenu sub(CreatePopupMenu());
            AppendItems(sub.Get(), item.items);
            // Once appended, the drop-down belongs to the menu that holds it.
            if (AppendMenuA(target, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub.Get()), item.caption))
                sub.Release();
        } else {
            AppendMenuA(target, MF_STRING, item.command, MenuCaption(item).c_str());
        }
    }
}

}  // namespace

std::string MenuCaption(const std::string& caption, const Shortcut& shortcut) {
    std::string text = caption;
    if (!shortcut.Empty()) {
        text += '\t';
        text += ShortcutText(shortcut);
    }
    return text;
}

std::string MenuCaption(const MenuItem& item) { return MenuCaption(item.caption, item.shortcut); }

ScopedMenu BuildMenuBar(const Menu& menu) {
    ScopedMenu bar(CreateMenu());
    AppendItems(bar.Get(), menu.items);
    return bar;
}

ScopedMenu BuildPopupMenu(const Menu& menu) {
    ScopedMenu popup(CreatePopupMenu());
    AppendItems(popup.Get(), menu.items);
    return popup;
}

void SetMenuCaption(HMENU menu, CommandId command, const std::string& caption, const Shortcut& shortcut) {
    ModifyMenuA(menu, command, MF_BYCOMMAND | MF_STRING, command, MenuCaption(caption, shortcut).c_str());
}

void CheckMenuCommand(HMENU menu, CommandId command, bool checked) {
    CheckMenuItem(menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace tovel
