#include "app/tovel_commands.h"

#include <algorithm>
#include <utility>

#include "document/print_channel.h"

namespace tovel {
namespace {

struct CommandRow {
    CommandId id;
    void (*run)(TovelCommands&);
};

// Every command id and its handler. A toolbar button or context-menu item that stands for a menu item
// carries that item's id, so it runs the same row.
constexpr CommandRow kRows[] = {
    // "ファイル(&F)"
    {cmdNewN1, [](TovelCommands& c) { c.NewN1Click(); }},
    {cmdOpenO1, [](TovelCommands& c) { c.OpenO1Click(); }},
    {cmdSaveS1, [](TovelCommands& c) { c.SaveS1Click(); }},
    {cmdNamingSaveA1, [](TovelCommands& c) { c.NamingSaveA1Click(); }},
    {cmdMixOpenM1, [](TovelCommands& c) { c.MixOpenM1Click(); }},
    {cmdMixSaveI1, [](TovelCommands& c) { c.MixSaveI1Click(); }},
    {cmdViewV1, [](TovelCommands& c) { c.ViewV1Click(); }},
    {cmdPrintP1, [](TovelCommands& c) { c.PrintP1Click(); }},
    {cmdExitX1, [](TovelCommands& c) { c.ExitX1Click(); }},
    // "編集(&E)"
    {cmdUndoU1, [](TovelCommands& c) { c.UndoU1Click(); }},
    {cmdRedoR1, [](TovelCommands& c) { c.RedoR1Click(); }},
    {cmdCutT1, [](TovelCommands& c) { c.CutT1Click(); }},
    {cmdCopyC1, [](TovelCommands& c) { c.CopyC1Click(); }},
    {cmdPasteP1, [](TovelCommands& c) { c.PasteP1Click(); }},
    {cmdDeleteD1, [](TovelCommands& c) { c.DeleteD1Click(); }},
    {cmdSelectAllA1, [](TovelCommands& c) { c.SelectAllA1Click(); }},
    {cmdFind1, [](TovelCommands& c) { c.Find1Click(); }},
    {cmdReplace1, [](TovelCommands& c) { c.Replace1Click(); }},
    {cmdNow1, [](TovelCommands& c) { c.Now1Click(); }},
    {cmdHTMLTagH1, [](TovelCommands& c) { c.HTMLTagH1Click(); }},
    // "ツール(&T)"
    {cmdR1, [](TovelCommands& c) { c.R1Click(); }},
    {cmdB1, [](TovelCommands& c) { c.B1Click(); }},
    {cmdM1, [](TovelCommands& c) { c.M1Click(); }},
    {cmdL1, [](TovelCommands& c) { c.L1Click(); }},
    {cmdD1, [](TovelCommands& c) { c.D1Click(); }},
    // "表示(&V)"
    {cmdFrontF1, [](TovelCommands& c) { c.FrontF1Click(); }},
    {cmdC1, [](TovelCommands& c) { c.C1Click(); }},
    {cmdR2, [](TovelCommands& c) { c.R2Click(); }},
    {cmdN22, [](TovelCommands& c) { c.N22Click(); }},
    {cmdS2, [](TovelCommands& c) { c.S2Click(); }},
    {cmdStatusBarS3, [](TovelCommands& c) { c.StatusBarS3Click(); }},
    // "ヘルプ(&H)"
    {cmdManualM1, [](TovelCommands& c) { c.ManualM1Click(); }},
    {cmdUpdateU1, [](TovelCommands& c) { c.UpdateU1Click(); }},
    {cmdVersion1, [](TovelCommands& c) { c.Version1Click(); }},
    // NotePopup's own
    {cmdR3, [](TovelCommands& c) { c.R3Click(); }},
    {cmdOpen1, [](TovelCommands& c) { c.Open1Click(); }},
    // ToolPopup
    // The document's format
    {cmdFormatSaveK1, [](TovelCommands& c) { c.FormatSaveK1Click(); }},
    {cmdReopenAutoA1, [](TovelCommands& c) { c.ReopenAs(std::nullopt); }},
    {cmdReopenShiftJisS1, [](TovelCommands& c) { c.ReopenAs(Encoding::ShiftJis); }},
    {cmdReopenUtf8U1, [](TovelCommands& c) { c.ReopenAs(Encoding::Utf8); }},
    {cmdReopenUtf16LeL1, [](TovelCommands& c) { c.ReopenAs(Encoding::Utf16Le); }},
    {cmdReopenUtf16BeB1, [](TovelCommands& c) { c.ReopenAs(Encoding::Utf16Be); }},
    {cmdReopenEucJpE1, [](TovelCommands& c) { c.ReopenAs(Encoding::EucJp); }},
    {cmdReopenJisJ1, [](TovelCommands& c) { c.ReopenAs(Encoding::Iso2022Jp); }},
    {cmdBreakCrLfW1, [](TovelCommands& c) { c.ConvertBreaks(LineBreak::CrLf); }},
    {cmdBreakLfU1, [](TovelCommands& c) { c.ConvertBreaks(LineBreak::Lf); }},
    {cmdBreakCrM1, [](TovelCommands& c) { c.ConvertBreaks(LineBreak::Cr); }},
    // ToolPopup
    {cmdFoldF1, [](TovelCommands& c) { c.FoldF1Click(); }},
    {cmdExecuteTovel1, [](TovelCommands& c) { c.ExecuteTovel1Click(); }},
    {cmdNothingN1, [](TovelCommands& c) { c.NothingN1Click(); }},
    {cmdN751, [](TovelCommands& c) { c.N751Click(); }},
    {cmdN551, [](TovelCommands& c) { c.N551Click(); }},
    {cmdN351, [](TovelCommands& c) { c.N351Click(); }},
    {cmdN151, [](TovelCommands& c) { c.N151Click(); }},
};

const CommandRow* FindRow(CommandId command) {
    const auto it =
        std::find_if(std::begin(kRows), std::end(kRows), [&](const CommandRow& r) { return r.id == command; });
    return it == std::end(kRows) ? nullptr : &*it;
}

}  // namespace

TovelCommands::TovelCommands(CommandPlatform platform, const std::string& startName, std::string appDir,
                             int designHeight)
    : m_p(std::move(platform)),
      m_globals{std::move(appDir), {}},
      m_documentCommands(m_document, m_p.editor, m_p.files, m_p.fileDialogs, m_p.dialogs, m_p.window, m_p.codePage,
                         m_p.formatChooser, m_p.leadBytes),
      m_appendCommands(m_mixList, m_p.editor, m_p.files, m_p.fileDialogs, m_p.dialogs, m_p.sound, m_p.codePage,
                       m_document, m_p.progress),
      m_toolCommands(ToolPlatform{m_p.editor, m_p.dialogs, m_p.boxes, m_p.clipboard, m_p.shell, m_p.codePage,
                                  m_p.progress, [this] { return m_document.Modified(); },
                                  [this](bool modified) { m_documentCommands.PutBackModified(modified); }},
                     m_p.formats, m_p.clock),
      m_windowModes(m_p.desktop, m_globals.Modes, designHeight),
      m_launches(m_document, m_p.editor, m_p.files, m_p.shell, m_p.boxes, m_globals.AppDir),
      m_recovery(
          m_p.recoveryStore, m_p.editor, m_document, m_p.dialogs,
          [this](const RecoveryRecord& r) { m_documentCommands.Restore(r); }, m_p.leadBytes) {
    m_document.CurrentName = startName;
    // A save or load makes the document clean: this run's recovery copy is no longer needed.
    m_documentCommands.SetCleanObserver([this] { m_recovery.DocumentClean(); });
    m_documentCommands.SetProgress(m_p.progress);
}

bool TovelCommands::Run(CommandId command) {
    const CommandRow* row = FindRow(command);
    if (!row) return false;
    row->run(*this);
    return true;
}

bool TovelCommands::Handles(CommandId command) { return FindRow(command) != nullptr; }

void TovelCommands::Start(const std::string& baseTitle) {
    m_documentCommands.Start(m_document.CurrentName, baseTitle);
    m_globals.Modes.TopMostState = "OFF";
}

void TovelCommands::TextChanged() {
    m_documentCommands.TextChanged();
    m_recovery.TextChanged();
}

bool TovelCommands::FormCloseQuery() { return m_documentCommands.CloseQuery(); }

// ---- "ファイル(&F)": thin handlers over the document's commands.
bool TovelCommands::NewN1Click() { return m_documentCommands.New(); }
void TovelCommands::OpenO1Click() { m_documentCommands.Open(); }
void TovelCommands::SaveS1Click() { m_documentCommands.Save(); }
void TovelCommands::NamingSaveA1Click() { m_documentCommands.SaveAs(); }
void TovelCommands::FormatSaveK1Click() { m_documentCommands.SaveAsFormat(); }
void TovelCommands::ReopenAs(std::optional<Encoding> encoding) { m_documentCommands.ReopenAs(encoding); }
void TovelCommands::ConvertBreaks(LineBreak to) { m_documentCommands.ConvertBreaks(to); }
void TovelCommands::MixOpenM1Click() { m_appendCommands.MixOpen(); }
void TovelCommands::MixSaveI1Click() { m_appendCommands.MixSave(); }
void TovelCommands::PrintP1Click() { PrintLines(m_p.editor, m_p.printer, m_p.progress); }
// Through the window's normal close path: the close question may still cancel it.
void TovelCommands::ExitX1Click() { m_p.window.Close(); }

// ---- "編集(&E)": each editing command is one request to the editor; the change of the text it makes, if
// any, marks the document modified.
void TovelCommands::UndoU1Click() { m_p.editor.Undo(); }
void TovelCommands::RedoR1Click() { m_p.editor.Redo(); }
void TovelCommands::CutT1Click() { m_p.editor.CutToClipboard(); }
void TovelCommands::CopyC1Click() { m_p.editor.CopyToClipboard(); }
void TovelCommands::PasteP1Click() { m_p.editor.PasteFromClipboard(); }
void TovelCommands::DeleteD1Click() { m_p.editor.ClearSelection(); }
void TovelCommands::SelectAllA1Click() { m_p.editor.SelectAll(); }

// ---- The text tools.
void TovelCommands::M1Click() { m_toolCommands.LimitLength(); }
void TovelCommands::L1Click() { m_toolCommands.DeleteLine(); }
void TovelCommands::D1Click() { m_toolCommands.DeleteEverywhere(); }
void TovelCommands::Replace1Click() { m_toolCommands.ReplaceEverywhere(); }
void TovelCommands::R3Click() { m_toolCommands.RepeatSelection(); }
void TovelCommands::Find1Click() { m_toolCommands.Find(); }
void TovelCommands::N22Click() { m_toolCommands.ShowByteCount(); }
void TovelCommands::C1Click() { m_toolCommands.ShowCaretPosition(); }
void TovelCommands::Now1Click() { m_toolCommands.InsertDateTime(); }
void TovelCommands::HTMLTagH1Click() {
    m_toolCommands.NewHtmlDocument([this](const std::string& name) { return m_documentCommands.NewFrom(name); },
                                   m_globals.AppDir);
}
void TovelCommands::Open1Click() { m_toolCommands.OpenSelection(); }

// ---- Window modes.
void TovelCommands::FrontF1Click() { m_p.window.SetMenuCaption(cmdFrontF1, m_windowModes.ToggleTopmost()); }
void TovelCommands::NothingN1Click() { m_windowModes.ShowOpaque(); }
void TovelCommands::N751Click() { m_windowModes.ShowAtPercent(75); }
void TovelCommands::N551Click() { m_windowModes.ShowAtPercent(55); }
void TovelCommands::N351Click() { m_windowModes.ShowAtPercent(35); }
void TovelCommands::N151Click() { m_windowModes.ShowAtPercent(15); }
void TovelCommands::FoldF1Click() { m_windowModes.ToggleFold(); }

// ---- Shell launches. "関連付けで開く(&R)" is the preview under another name.
void TovelCommands::ViewV1Click() {
    m_launches.Preview([this] { return m_documentCommands.Save(); });
}
void TovelCommands::R1Click() { ViewV1Click(); }
void TovelCommands::B1Click() { m_launches.BrowserPreview(); }
void TovelCommands::ManualM1Click() { m_launches.OpenManual(); }
void TovelCommands::UpdateU1Click() { m_launches.ShowUpdateHistory(); }
void TovelCommands::ExecuteTovel1Click() { m_launches.StartEditor(); }

// ---- The window's own boxes and the gutter.
void TovelCommands::Version1Click() { m_p.window.ShowAbout(); }
void TovelCommands::S2Click() { m_p.window.ShowSettings(); }
void TovelCommands::StatusBarS3Click() { m_p.window.ToggleStatusBar(); }
void TovelCommands::R2Click() { m_p.window.RefreshGutter(); }

}  // namespace tovel
