#pragma once
// Command identifiers: one per menu item, context-menu item and toolbar button that runs a handler.
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
    // "編集(&E)"
    cmdUndoU1 = 1100,
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
    // "ヘルプ(&H)"
    cmdManualM1 = 1400,
    cmdUpdateU1,
    cmdVersion1,
    // NotePopup
    cmdUndoU2 = 1500,
    cmdCutT2,
    cmdCopyC2,
    cmdPasteP2,
    cmdDeleteD2,
    cmdSelectAllA2,
    cmdR3,
    cmdOpen1,
    // ToolPopup
    cmdFoldF1 = 1600,
    cmdExecuteTovel1,
    cmdNothingN1,
    cmdN751,
    cmdN551,
    cmdN351,
    cmdN151,
    // ToolBar1
    cmdButton1 = 1700,
    cmdButton2,
    cmdButton4,
    cmdButton6,
    cmdButton7,
    cmdButton10,
    cmdButton11,
    cmdButton12,
};

}  // namespace tovel
