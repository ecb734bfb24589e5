#pragma once
// Command identifiers: one per handler. A toolbar button or context-menu item that stands for a menu item
// carries that item's id.
// Kept below 0x8000 so they travel in WM_COMMAND's low word without sign trouble.

namespace tovel {

enum CommandId : unsigned short {
    kNoCommand = 0,
    // "ファイル(&F)"
    cmdNewN1 = 1000,
    cmdOpenO1,
    cmdSaveS1,
    cmdNamingSaveA1,
    cmdMixOpenM1,
    cmdMixSaveI1,
    cmdViewV1,
    cmdPrintP1,
    cmdExitX1,
    cmdFormatSaveK1,
    cmdReopenAutoA1 = 1020,
    cmdReopenShiftJisS1,
    cmdReopenUtf8U1,
    cmdReopenUtf16LeL1,
    cmdReopenUtf16BeB1,
    cmdReopenEucJpE1,
    cmdReopenJisJ1,
    cmdBreakCrLfW1 = 1030,
    cmdBreakLfU1,
    cmdBreakCrM1,
    // "編集(&E)"
    cmdUndoU1 = 1100,
    cmdRedoR1,
    cmdCutT1,
    cmdCopyC1,
    cmdPasteP1,
    cmdDeleteD1,
    cmdSelectAllA1,
    cmdFind1,
    cmdReplace1,
    cmdNow1,
    cmdHTMLTagH1,
    // "ツール(&T)"
    cmdR1 = 1200,
    cmdB1,
    cmdM1,
    cmdL1,
    cmdD1,
    // "表示(&V)"
    cmdFrontF1 = 1300,
    cmdC1,
    cmdR2,
    cmdN22,
    cmdS2,
    cmdStatusBarS3,
    // "ヘルプ(&H)"
    cmdManualM1 = 1400,
    cmdUpdateU1,
    cmdVersion1,
    // NotePopup's own items (its editing items carry the 編集 menu's ids)
    cmdR3 = 1500,
    cmdOpen1,
    // ToolPopup
    cmdFoldF1 = 1600,
    cmdExecuteTovel1,
    cmdNothingN1,
    cmdN751,
    cmdN551,
    cmdN351,
    cmdN151,
};

}  // namespace tovel
