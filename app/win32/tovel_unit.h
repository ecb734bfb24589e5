#pragma once
// The main window TovForm: the editor, the toolbar band, the line-number gutter, the menu bar and the two
// context menus. Every user command is one handler method here, thin, forwarding to subsystem code.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/win32/application.h"
#include "app/win32/menus.h"
#include "document/append_commands.h"
#include "document/document_commands.h"
#include "document/mix_list.h"
#include "document/recovery_keeper.h"
#include "platform/date_text.h"
#include "platform/win32/scintilla_editor.h"
#include "platform/win32/win32_clipboard.h"
#include "platform/win32/win32_desktop_window.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_file_dialogs.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_printer.h"
#include "platform/win32/win32_recovery_store.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_sound.h"
#include "platform/win32/win32_text_files.h"
#include "platform/win32/window_base.h"
#include "setting/setting_host.h"
#include "tools/tool_commands.h"
#include "window/shell_launches.h"
#include "window/window_modes.h"

namespace tovel {

class LineGutter;
class ToolBand;
class TAbout_Form;
class TSettingForm;

inline constexpr const char* kBackupFileName = "backup.tov";

// What the process was started with.
struct StartupContext {
    std::string appDir;                  // the executable's folder, with its trailing "\"
    std::vector<std::string> arguments;  // command-line arguments after the program name
};

// The main window's module-level state, alive for the whole run (the document's own is DocumentState).
struct FormGlobals {
    std::string AppDir;
    WindowModeState Modes;  // TopMostState and FoldHeight
};

class TTovForm : public WindowBase, public SettingHost, private IDocumentWindow {
public:
    TTovForm(Application& app, StartupContext startup);
    ~TTovForm() override;

    // The About box and the settings dialog are created after the main window.
    void SetCompanions(TAbout_Form* about, TSettingForm* setting);

    Application& App() const { return m_app; }
    ScintillaEditor& Note() { return *m_note; }
    Win32Printer& Printer() { return *m_printer; }
    LineGutter& Gutter() { return *m_gutter; }
    ToolBand& Band() { return *m_band; }
    HMENU MainMenu() const { return GetMenu(Handle()); }
    HMENU NotePopupMenu() const { return m_notePopup.Get(); }
    HMENU ToolPopupMenu() const { return m_toolPopup.Get(); }
    const FormGlobals& Globals() const { return m_globals; }
    Win32RecoveryStore& RecoveryStore() { return *m_recoveryStore; }
    Win32TextFiles& Files() { return m_files; }
    const DocumentState& Document() const { return m_document; }
    MixList& Mix() { return m_mixList; }
    HBITMAP ToolBitmap() const { return m_toolBitmap.Get(); }
    const RegionalFormats& Formats() const { return m_formats; }

    // Loads a bitmap file as the toolbar band's background picture (none for an empty file); shown at once.
    // A file that cannot be opened or is no valid bitmap raises, and the band keeps its picture.
    void LoadToolBitmap(const std::string& path);
    // Writes the editor's text to "backup.tov" in the current folder (the first step of the close).
    void SaveBackup();
    // Runs the handler of a command; an error it raises is shown in the error box.
    void RunCommand(CommandId command);
    // Told of every command before its handler runs (the tests watch the dispatch through it).
    void SetCommandObserver(std::function<void(CommandId)> observer) { m_commandObserver = std::move(observer); }
    // The shortcut lookup, called by the message loop before a key reaches the focused control.
    bool PreviewMessage(MSG& msg);

    // ---- Commands: "ファイル(&F)"
    // True when it went ahead, false when the save question stopped it.
    bool NewN1Click();
    void OpenO1Click();
    void SaveS1Click();
    void NamingSaveA1Click();
    void MixOpenM1Click();
    void MixSaveI1Click();
    void ViewV1Click();
    void PrintP1Click();
    void ExitX1Click();
    // ---- "編集(&E)"
    void UndoU1Click();
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
    // ---- "ヘルプ(&H)"
    void ManualM1Click();
    void UpdateU1Click();
    void Version1Click();
    // ---- NotePopup
    void UndoU2Click();
    void CutT2Click();
    void CopyC2Click();
    void PasteP2Click();
    void DeleteD2Click();
    void SelectAllA2Click();
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
    // ---- ToolBar1
    void Button1Click();
    void Button2Click();
    void Button4Click();
    void Button6Click();
    void Button7Click();
    void Button10Click();
    void Button11Click();
    void Button12Click();
    // ---- Window and editor events
    bool FormCloseQuery();
    void NoteKeyDown();
    void NoteKeyUp();
    void NoteMouseDown();

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void CreateChildren();
    void FormCreate();
    void FormClose();
    void LayOut();
    // Screen position minus the placement's restored position (the work area's origin on Windows).
    void MeasurePlacementOffset();
    bool OnEditorMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnDropFiles(HDROP drop);
    // IDocumentWindow
    void SetCaption(const std::string& caption) override;
    void SetApplicationTitle(const std::string& title) override;
    void ShowIconOf(const std::string& fullPath) override;
    void ShowContextMenu(HMENU menu, HWND owner, LPARAM screenPoint);
    const Menu* ContextMenuOf(HWND window) const;
    int Scale(int designPixels) const { return MulDiv(designPixels, m_dpi, 96); }

    Application& m_app;

    StartupContext m_startup;
    FormGlobals m_globals;
    DocumentState m_document;
    MixList m_mixList;
    Win32TextFiles m_files;
    Win32Dialogs m_dialogs;
    Win32FileDialogs m_fileDialogs;
    Win32Sound m_sound;
    std::unique_ptr<Win32Printer> m_printer;
    std::unique_ptr<DocumentCommands> m_documentCommands;
    std::unique_ptr<AppendCommands> m_appendCommands;
    std::unique_ptr<Win32RecoveryStore> m_recoveryStore;
    std::unique_ptr<RecoveryKeeper> m_recovery;
    Win32MessageBoxes m_messageBoxes;
    // Made once the window exists: they act on it, and it is never re-created.
    std::unique_ptr<Win32Shell> m_shell;
    std::unique_ptr<Win32DesktopWindow> m_desktopWindow;
    std::unique_ptr<WindowModes> m_windowModes;
    std::unique_ptr<ShellLaunches> m_launches;
    int m_designHeight = 0;  // the outer height as designed, for an unfold with nothing to return to
    std::unique_ptr<Win32Clipboard> m_clipboard;  // owned by the main window, made once it exists
    std::unique_ptr<ToolCommands> m_toolCommands;
    HICON m_documentIcon = nullptr;  // the opened file's icon, owned
    RegionalFormats m_formats;
    int m_dpi = 96;
    POINT m_placementOffset{0, 0};
    ScopedFont m_windowFont;
    std::unique_ptr<ToolBand> m_band;
    std::unique_ptr<LineGutter> m_gutter;
    std::unique_ptr<ScintillaEditor> m_note;
    ScopedMenu m_notePopup;
    ScopedMenu m_toolPopup;
    ScopedBitmap m_toolBitmap;
    TAbout_Form* m_about = nullptr;
    TSettingForm* m_setting = nullptr;
    std::function<void(CommandId)> m_commandObserver;

public:
    // ---- What the settings dialog changes
    void SetNoteBackColor(std::int32_t color) override;
    void SetNoteTextColor(std::int32_t color) override;
    void ShowToolBitmap(const std::string& path) override;
    std::string SettingsFilePath() const override;
};

}  // namespace tovel
