// The shortcut lookup order and the table's shape, which menus, toolbar and dispatch are all built from.
#include "app/command_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tovel {
namespace {

std::string Found(const Menu& menu, Shortcut s) {
    const MenuItem* item = FindShortcut(menu, s);
    return item ? item->name : "";
}

TEST(ShortcutLookup, FirstMatchDepthFirstInDisplayOrder) {
    EXPECT_EQ(Found(MainMenu1(), Key(vk::kF3)), "Find1") << "編集 comes before 表示, so F3 never toggles always-on-top";
    EXPECT_EQ(Found(MainMenu1(), Ctrl('P')), "PasteP1") << "Ctrl+P pastes; printing has no shortcut";
    EXPECT_EQ(Found(MainMenu1(), Ctrl('H')), "HTMLTagH1");
    EXPECT_EQ(Found(MainMenu1(), Key(vk::kF1)), "ManualM1");
    EXPECT_EQ(Found(MainMenu1(), Key(vk::kF11)), "FoldF2") << "the fold works wherever the focus is";
    EXPECT_EQ(Found(MainMenu1(), Key(vk::kF12)), "") << "F12 belongs to the toolbar's menu only";
    EXPECT_EQ(Found(NotePopup(), Ctrl('A')), "SelectAllA2");
    EXPECT_EQ(Found(NotePopup(), Ctrl('N')), "");
    EXPECT_EQ(Found(ToolPopup(), Key(vk::kF11)), "FoldF1");
    EXPECT_EQ(Found(ToolPopup(), Key(vk::kF12)), "ExecuteTovel1");
    EXPECT_EQ(Found(MainMenu1(), Shortcut{'N', true, true, false}), "") << "modifiers must match exactly";
    EXPECT_EQ(Found(MainMenu1(), Shortcut{}), "");
}

TEST(CommandTable, EveryCommandIsUniqueAndReachable) {
    // Within a menu every id is unique; a context-menu item that stands for a menu-bar item carries its id
    // and its caption.
    std::set<int> seen, all;
    int items = 0;
    auto walk = [&](auto&& self, std::span<const MenuItem> list) -> void {
        for (const MenuItem& item : list) {
            if (item.command != kNoCommand) {
                ++items;
                all.insert(item.command);
                EXPECT_TRUE(seen.insert(item.command).second) << item.name << " reuses a command id";
                ASSERT_NE(FindCommand(item.command), nullptr) << item.name;
                EXPECT_STREQ(FindCommand(item.command)->caption, item.caption);
                EXPECT_LT(item.command, 0x8000);
            }
            EXPECT_EQ(item.IsSeparator() || !item.items.empty(), item.command == kNoCommand) << item.name;
            self(self, item.items);
        }
    };
    for (const Menu* menu : {&MainMenu1(), &NotePopup(), &ToolPopup()}) {
        seen.clear();
        walk(walk, menu->items);
    }
    EXPECT_EQ(items, 62);  // 46 in the menu bar, 9 in NotePopup, 7 in ToolPopup
    EXPECT_EQ(all.size(), 54u) << "NotePopup's seven editing items and ToolPopup's fold carry the menu bar's ids";
}

TEST(CommandTable, ToolbarFillsItsWidthExactly) {
    int width = 0, buttons = 0;
    for (const ToolButton& b : ToolBar1Buttons()) {
        width += b.caption ? 60 : 8;
        if (b.caption) {
            EXPECT_EQ(b.image, buttons++);
        }
    }
    EXPECT_EQ(buttons, 8);
    EXPECT_EQ(width, 512);
}

TEST(ShortcutText, NamesModifiersThenKey) {
    EXPECT_EQ(ShortcutText(Ctrl('N')), "Ctrl+N");
    EXPECT_EQ(ShortcutText(Key(vk::kF12)), "F12");
    EXPECT_EQ(ShortcutText(Shortcut{'S', true, true, true}), "Ctrl+Shift+Alt+S");
    EXPECT_EQ(ShortcutText(Shortcut{}), "");
}

}  // namespace
}  // namespace tovel
