#pragma once
// The program's commands without the window: the document, the appended-files list, the text tools, the
// window modes, the shell launches and the recovery copies, over the platform interfaces. A command id runs
// its handler through one table, so the menu bar, the context menus, the toolbar and the shortcuts reach the
// same code, and the wiring is tested on the host.
#include <functional>
#include <memory>
#include <string>

#include "app/command_ids.h"
#include "document/append_commands.h"
#include "document/document_commands.h"
#include "document/document_state.h"
#include "document/format_choice.h"
#include "document/mix_list.h"
#include "document/recovery_keeper.h"
#include "platform/clipboard.h"
#include "platform/code_page.h"
#include "platform/date_text.h"
#include "platform/desktop_window.h"
#include "platform/dialogs.h"
#include "platform/editor.h"
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "platform/printer.h"
#include "platform/recovery_store.h"
#include "platform/shell.h"
#include "platform/sjis.h"
#include "platform/sound.h"
#include "platform/text_files.h"
#include "tools/tool_commands.h"
#include "window/shell_launches.h"
#include "window/window_modes.h"

namespace tovel {

// What only the main window can do. The document's caption and titles come through IDocumentWindow.
class IMainWindow : public IDocumentWindow {
public:
    virtual void ShowAbout() = 0;
    virtual void ShowSettings() = 0;
    // Asks the window to close through its normal close path: the save question may still cancel it.
    virtual void Close() = 0;
    // The line-number gutter follows the editor's first visible line and line count.
    virtual void RefreshGutter() = 0;
    // A new caption for the menu bar's item that runs `command`, still followed by its shortcut's name.
    virtual void SetMenuCaption(CommandId command, const std::string& caption) = 0;
    // Hides the status bar when shown, shows it when hidden.
    virtual void ToggleStatusBar() = 0;
};

// The platform the commands act on, all owned by the caller and outliving the commands.
struct CommandPlatform {
    IEditor& editor;
    ITextFiles& files;
    IFileDialogs& fileDialogs;
    IDialogs& dialogs;
    IMessageBoxes& boxes;
    IClipboard& clipboard;
    IShell& shell;
    ISound& sound;
    IPrinter& printer;
    IDesktopWindow& desktop;
    IRecoveryStore& recoveryStore;
    ICodePage& codePage;
    IFormatChooser& formatChooser;
    IMainWindow& window;
    const RegionalFormats& formats;
    std::function<LocalTime()> clock;
    const LeadByteTable& leadBytes = LeadByteTable::ShiftJis();
    // Shows the long operations and lets the user stop them; none: they run unseen.
    IProgress* progress = nullptr;
};

// The main window's module-level state, alive for the whole run (the document's own is DocumentState).
struct FormGlobals {
    std::string AppDir;
    WindowModeState Modes;  // TopMostState and FoldHeight
};

class TovelCommands {
public:
    // `startName`: the document named on the command line, or "無題". `designHeight`: the window's outer
    // height as designed, for an unfold with nothing to return to.
    TovelCommands(CommandPlatform platform, const std::string& startName, std::string appDir, int designHeight);
    TovelCommands(const TovelCommands&) = delete;
    TovelCommands& operator=(const TovelCommands&) = delete;

    // Runs the handler of a command; false for an id no handler answers (nothing happens). Errors raise.
    bool Run(CommandId command);
    // True when a handler answers the id.
    static bool Handles(CommandId command);

    // The start, once the window stands: the clean marker, the base title (the window's design caption),
    // the caption and the taskbar title.
    void Start(const std::string& baseTitle);
    void LoadStartupFile() { m_documentCommands.LoadStartupFile(); }
    void OfferLeftBehind() { m_recovery.OfferLeftBehind(); }
    // The editor's text changed: the document is marked modified and a recovery copy becomes due.
    void TextChanged();
    void Drop(const std::string& fullPath) { m_documentCommands.Drop(fullPath); }
    // One change of the text in detail, for the recovery copy's journal (see RecoveryKeeper::TextEdited).
    void TextEdited(std::size_t position, std::size_t deleted, std::string_view inserted) {
        m_recovery.TextEdited(position, deleted, inserted);
    }
    void RecoveryTick(std::uint64_t nowMs) { m_recovery.Tick(nowMs); }
    // The recovery copy is being written a slice per tick: ticks should come every few milliseconds.
    bool RecoveryBusy() const { return m_recovery.Busy(); }
    // The text is kept elsewhere now (the close's backup): this run's recovery copy goes.
    void DocumentKept() { m_recovery.DocumentClean(); }

    const DocumentState& Document() const { return m_document; }
    MixList& Mix() { return m_mixList; }
    const FormGlobals& Globals() const { return m_globals; }

    // ---- "ファイル(&F)"
    // True when it went ahead, false when the save question stopped it.
    bool NewN1Click();
    void OpenO1Click();
    void SaveS1Click();
    void NamingSaveA1Click();
    void FormatSaveK1Click();
    // "文字コードを指定して開き直す(&E)": an encoding, or nothing to detect it again.
    void ReopenAs(std::optional<Encoding> encoding);
    // "改行コード(&L)"
    void ConvertBreaks(LineBreak to);
    void MixOpenM1Click();
    void MixSaveI1Click();
    void ViewV1Click();
    void PrintP1Click();
    void ExitX1Click();
    // ---- "編集(&E)"
    void UndoU1Click();
    void RedoR1Click();
    void CutT1Click();
    void CopyC1Click();
    void PasteP1Click();
    void DeleteD1Click();
    void SelectAllA1Click();
    void Find1Click();
    void Replace1Click();
    void Now1Click();
    void HTMLTagH1Click();
    // ---- "ツール(&T)"
    void R1Click();
    void B1Click();
    void M1Click();
    void L1Click();
    void D1Click();
    // ---- "表示(&V)"
    void FrontF1Click();
    void C1Click();
    void R2Click();
    void N22Click();
    void S2Click();
    void StatusBarS3Click();
    // ---- "ヘルプ(&H)"
    void ManualM1Click();
    void UpdateU1Click();
    void Version1Click();
    // ---- NotePopup's own
    void R3Click();
    void Open1Click();
    // ---- ToolPopup
    void FoldF1Click();
    void ExecuteTovel1Click();
    void NothingN1Click();
    void N751Click();
    void N551Click();
    void N351Click();
    void N151Click();
    // ---- The close question: true when the window may close.
    bool FormCloseQuery();

private:
    CommandPlatform m_p;
    FormGlobals m_globals;
    DocumentState m_document;
    MixList m_mixList;
    DocumentCommands m_documentCommands;
    AppendCommands m_appendCommands;
    ToolCommands m_toolCommands;
    WindowModes m_windowModes;
    ShellLaunches m_launches;
    RecoveryKeeper m_recovery;
};

}  // namespace tovel
