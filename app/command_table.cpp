#include "app/command_table.h"

namespace tovel {
namespace {

constexpr Shortcut kNone{};

constexpr MenuItem Item(const char* name, const char* caption, Shortcut shortcut, CommandId command) {
    return {name, caption, shortcut, command, {}};
}
constexpr MenuItem Separator(const char* name) { return {name, "-", kNone, kNoCommand, {}}; }
constexpr MenuItem Submenu(const char* name, const char* caption, std::span<const MenuItem> items) {
    return {name, caption, kNone, kNoCommand, items};
}

// ---- MainMenu1 ----
constexpr MenuItem kReopenItems[] = {
    Item("ReopenAutoA1", "自動判定(&A)", kNone, cmdReopenAutoA1),
    Separator("N30"),
    Item("ReopenShiftJisS1", "Shift_JIS(&S)", kNone, cmdReopenShiftJisS1),
    Item("ReopenUtf8U1", "UTF-8(&U)", kNone, cmdReopenUtf8U1),
    Item("ReopenUtf16LeL1", "UTF-16 LE(&L)", kNone, cmdReopenUtf16LeL1),
    Item("ReopenUtf16BeB1", "UTF-16 BE(&B)", kNone, cmdReopenUtf16BeB1),
    Item("ReopenEucJpE1", "EUC-JP(&E)", kNone, cmdReopenEucJpE1),
    Item("ReopenJisJ1", "JIS(&J)", kNone, cmdReopenJisJ1),
};
constexpr MenuItem kBreakItems[] = {
    Item("BreakCrLfW1", "CR+LF (Windows)(&W)", kNone, cmdBreakCrLfW1),
    Item("BreakLfU1", "LF (Unix)(&U)", kNone, cmdBreakLfU1),
    Item("BreakCrM1", "CR (Mac)(&M)", kNone, cmdBreakCrM1),
};
constexpr MenuItem kFileItems[] = {
    Item("NewN1", "新規作成(&N)", Ctrl('N'), cmdNewN1),
    Separator("N1"),
    Item("OpenO1", "ファイルを開く(&O)", Ctrl('O'), cmdOpenO1),
    Separator("N2"),
    Item("SaveS1", "保存(&S)", Ctrl('S'), cmdSaveS1),
    Item("NamingSaveA1", "名前を付けて保存(&A)", kNone, cmdNamingSaveA1),
    Item("FormatSaveK1", "文字コードを指定して保存(&K)...", kNone, cmdFormatSaveK1),
    Submenu("ReopenE1", "文字コードを指定して開き直す(&E)", kReopenItems),
    Submenu("BreakL1", "改行コード(&L)", kBreakItems),
    Separator("N17"),
    Item("MixOpenM1", "追加で開く(&M)", kNone, cmdMixOpenM1),
    Item("MixSaveI1", "追加保存(&I)", kNone, cmdMixSaveI1),
    Separator("N3"),
    Item("ViewV1", "プレビュー(&V)", Key(vk::kF4), cmdViewV1),
    Separator("N4"),
    Item("PrintP1", "印刷(&P)", kNone, cmdPrintP1),
    Separator("N5"),
    Item("ExitX1", "tovelの終了(&X)", kNone, cmdExitX1),
};
constexpr MenuItem kEditItems[] = {
    Item("UndoU1", "元に戻す(&U)", Ctrl('U'), cmdUndoU1),
    Item("RedoR1", "やり直し(&R)", Ctrl('Y'), cmdRedoR1),
    Separator("N6"),
    Item("CutT1", "切り取り(&T)", Ctrl('T'), cmdCutT1),
    Item("CopyC1", "コピー(&C)", Ctrl('C'), cmdCopyC1),
    Item("PasteP1", "貼り付け(&P)", Ctrl('P'), cmdPasteP1),
    Separator("N7"),
    Item("DeleteD1", "削除(&D)", Ctrl('D'), cmdDeleteD1),
    Item("SelectAllA1", "全て選択(&A)", Ctrl('A'), cmdSelectAllA1),
    Separator("N21"),
    Item("Find1", "検索(&F)", Key(vk::kF3), cmdFind1),
    Item("Replace1", "置換(&C)", kNone, cmdReplace1),
    Separator("N8"),
    Item("Now1", "日付けと時刻(&N)", Key(vk::kF5), cmdNow1),
    Separator("N9"),
    Item("HTMLTagH1", "新規HTMLタグ(&H)", Ctrl('H'), cmdHTMLTagH1),
};
constexpr MenuItem kPreviewItems[] = {
    Item("R1", "関連付けで開く(&R)", kNone, cmdR1),
    Item("B1", "ブラウザで開く(&B)", kNone, cmdB1),
};
constexpr MenuItem kStringItems[] = {
    Item("M1", "最大文字数制限(&M)", kNone, cmdM1),
    Item("L1", "指定行削除(&L)", kNone, cmdL1),
    Item("D1", "指定文字列削除(&D)", kNone, cmdD1),
};
constexpr MenuItem kToolsItems[] = {
    Submenu("ViewV2", "プレビュー(&V)", kPreviewItems),
    Separator("N18"),
    Submenu("S1", "文字列(&S)", kStringItems),
};
constexpr MenuItem kShowItems[] = {
    // F3 is shown here too, but "検索(&F)" comes first in the search, so this item is reached by clicking only.
    Item("FrontF1", "常に手前に表示(&A)", Key(vk::kF3), cmdFrontF1),
    Separator("N16"),
    Item("C1", "カーソルの位置(&C)", kNone, cmdC1),
    Item("R2", "行数表示を更新(&R)", kNone, cmdR2),
    Item("N22", "現在の文字数(&N)", kNone, cmdN22),
    Separator("N24"),
    Item("StatusBarS3", "ステータスバー(&S)", kNone, cmdStatusBarS3),
    Item("FoldF2", "折りたたみ(&F)", Key(vk::kF11), cmdFoldF1),
    Separator("N27"),
    Item("S2", "設定(&S)", kNone, cmdS2),
};
constexpr MenuItem kHelpItems[] = {
    Item("ManualM1", "マニュアル(&M)", Key(vk::kF1), cmdManualM1), Separator("N10"),
    Item("UpdateU1", "更新履歴(&U)", kNone, cmdUpdateU1),          Separator("N11"),
    Item("Version1", "バージョン情報(&A)", kNone, cmdVersion1),
};
constexpr MenuItem kMainMenuItems[] = {
    Submenu("FileF1", "ファイル(&F)", kFileItems), Submenu("EditE1", "編集(&E)", kEditItems),
    Submenu("oolsT1", "ツール(&T)", kToolsItems),  Submenu("ShowV1", "表示(&V)", kShowItems),
    Submenu("HelpH1", "ヘルプ(&H)", kHelpItems),
};

// ---- NotePopup: its editing items carry the 編集 menu's ids ----
constexpr MenuItem kNoteToolItems[] = {
    Item("R3", "繰り返し(&R)", kNone, cmdR3),
    Separator("N26"),
    Item("Open1", "開く(&O)", kNone, cmdOpen1),
};
constexpr MenuItem kNotePopupItems[] = {
    Item("UndoU2", "元に戻す(&U)", Ctrl('U'), cmdUndoU1),
    Item("RedoR2", "やり直し(&R)", Ctrl('Y'), cmdRedoR1),
    Separator("N12"),
    Item("CutT2", "切り取り(&T)", Ctrl('T'), cmdCutT1),
    Item("CopyC2", "コピー(&C)", Ctrl('C'), cmdCopyC1),
    Item("PasteP2", "貼り付け(&P)", Ctrl('P'), cmdPasteP1),
    Item("DeleteD2", "削除(&D)", Ctrl('D'), cmdDeleteD1),
    Separator("N13"),
    Item("SelectAllA2", "全て選択(&A)", Ctrl('A'), cmdSelectAllA1),
    Separator("N25"),
    Submenu("L2", "ツール(&L)", kNoteToolItems),
};

// ---- ToolPopup ----
constexpr MenuItem kTransparencyItems[] = {
    Item("NothingN1", "なし(&N)", kNone, cmdNothingN1),
    Item("N751", "75%", kNone, cmdN751),
    Item("N551", "55%", kNone, cmdN551),
    Item("N351", "35%", kNone, cmdN351),
    Item("N151", "15%", kNone, cmdN151),
};
constexpr MenuItem kToolPopupItems[] = {
    Item("FoldF1", "折りたたみ(&F)", Key(vk::kF11), cmdFoldF1),
    Separator("N14"),
    Item("ExecuteTovel1", "tovel editorを起動", Key(vk::kF12), cmdExecuteTovel1),
    Separator("N15"),
    Submenu("ransing1", "透明化", kTransparencyItems),
};

constexpr Menu kMainMenu1{"MainMenu1", kMainMenuItems};
constexpr Menu kNotePopup{"NotePopup", kNotePopupItems};
constexpr Menu kToolPopup{"ToolPopup", kToolPopupItems};

// ---- ToolBar1: eight captioned buttons and four separators, 512 px in all; each button carries the id of
// the menu item it stands for ----
constexpr ToolButton kToolButtons[] = {
    {"Button1", "新規", 0, cmdNewN1},         {"ToolButton3", nullptr, -1, kNoCommand},
    {"Button2", "開く", 1, cmdOpenO1},        {"Button4", "保存", 2, cmdSaveS1},
    {"ToolButton5", nullptr, -1, kNoCommand}, {"Button6", "プレビュー", 3, cmdViewV1},
    {"ToolButton8", nullptr, -1, kNoCommand}, {"Button7", "元に戻す", 4, cmdUndoU1},
    {"ToolButton9", nullptr, -1, kNoCommand}, {"Button10", "切り取り", 5, cmdCutT1},
    {"Button11", "コピー", 6, cmdCopyC1},     {"Button12", "貼り付け", 7, cmdPasteP1},
};

const MenuItem* Search(std::span<const MenuItem> items, const Shortcut& shortcut) {
    for (const MenuItem& item : items) {
        if (!item.shortcut.Empty() && item.shortcut == shortcut) return &item;
        if (const MenuItem* found = Search(item.items, shortcut)) return found;
    }
    return nullptr;
}

const MenuItem* SearchCommand(std::span<const MenuItem> items, CommandId command) {
    for (const MenuItem& item : items) {
        if (item.command == command) return &item;
        if (const MenuItem* found = SearchCommand(item.items, command)) return found;
    }
    return nullptr;
}

}  // namespace

std::string ShortcutText(const Shortcut& s) {
    if (s.Empty()) return {};
    std::string text;
    if (s.ctrl) text += "Ctrl+";
    if (s.shift) text += "Shift+";
    if (s.alt) text += "Alt+";
    if (s.key >= vk::kF1 && s.key <= vk::kF12) {
        text += 'F';
        text += std::to_string(s.key - vk::kF1 + 1);
    } else {
        text += static_cast<char>(s.key);
    }
    return text;
}

const Menu& MainMenu1() { return kMainMenu1; }
const Menu& NotePopup() { return kNotePopup; }
const Menu& ToolPopup() { return kToolPopup; }
std::span<const ToolButton> ToolBar1Buttons() { return kToolButtons; }

const MenuItem* FindShortcut(const Menu& menu, const Shortcut& shortcut) {
    if (shortcut.Empty()) return nullptr;
    return Search(menu.items, shortcut);
}

const MenuItem* FindCommand(CommandId command) {
    for (const Menu* menu : {&kMainMenu1, &kNotePopup, &kToolPopup}) {
        if (const MenuItem* found = SearchCommand(menu->items, command)) return found;
    }
    return nullptr;
}

}  // namespace tovel
