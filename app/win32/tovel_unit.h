#pragma once
// The main window TovForm: the editor, the toolbar band, the line-number gutter, the status bar, the menu
// bar and the two context menus. It lays them out and routes every command id to the command layer, inside the one
// place where a command's error is shown; what a command does lives in TovelCommands.
#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/command_table.h"
#include "app/tovel_commands.h"
#include "app/win32/application.h"
#include "app/win32/menus.h"
#include "app/win32/status_bar.h"
#include "app/win32/win32_platform.h"
#include "platform/date_text.h"
#include "platform/win32/scintilla_editor.h"
#include "platform/win32/window_base.h"
#include "setting/setting_host.h"

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

class TTovForm : public WindowBase, public SettingHost, private IMainWindow {
public:
    TTovForm(Application& app, StartupContext startup);
    ~TTovForm() override;

    // The About box and the settings dialog are created after the main window.
    void SetCompanions(TAbout_Form* about, TSettingForm* setting);

    Application& App() const { return m_app; }
    TovelCommands& Commands() { return *m_commands; }
    ScintillaEditor& Note() { return *m_note; }
    Win32Printer& Printer() { return m_platform->printer; }
    LineGutter& Gutter() { return *m_gutter; }
    ToolBand& Band() { return *m_band; }
    StatusBar& Status() { return *m_status; }
    // The window as the command layer sees it (the tests tell it what the commands would).
    IMainWindow& AsMainWindow() { return *this; }
    HMENU MainMenu() const { return GetMenu(Handle()); }
    HMENU NotePopupMenu() const { return m_notePopup.Get(); }
    HMENU ToolPopupMenu() const { return m_toolPopup.Get(); }
    const FormGlobals& Globals() const { return m_commands->Globals(); }
    Win32RecoveryStore& RecoveryStore() { return m_platform->recoveryStore; }
    Win32TextFiles& Files() { return m_platform->files; }
    Win32Progress& Progress() { return m_platform->progress; }
    const DocumentState& Document() const { return m_commands->Document(); }
    HBITMAP ToolBitmap() const { return m_toolBitmap.Get(); }
    const RegionalFormats& Formats() const { return m_formats; }

    // Loads a bitmap file as the toolbar band's background picture (none for an empty file); shown at once.
    // A file that cannot be opened or is no valid bitmap raises, and the band keeps its picture.
    void LoadToolBitmap(const std::string& path);
    // Writes the editor's text to "backup.tov" in the current folder, or in the user's local profile folder
    // when the current folder cannot be written (the first step of the close).
    void SaveBackup();
    // Runs the handler of a command; an error it raises is shown in the error box.
    void RunCommand(CommandId command);
    // Told of every command before its handler runs (the tests watch the dispatch through it).
    void SetCommandObserver(std::function<void(CommandId)> observer) { m_commandObserver = std::move(observer); }
    // The shortcut lookup, called by the message loop before a key reaches the focused control.
    bool PreviewMessage(MSG& msg);

    // Shows the window for the first time: maximized when it was closed so, else as placed.
    void ShowAtStart();

    // The close question: true when the window may close.
    bool FormCloseQuery() { return m_commands->FormCloseQuery(); }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void CreateChildren();
    void FormCreate();
    void FormClose();
    void LayOut();
    // Moved to a monitor of another resolution, or the resolution changed: scales the window's parts to
    // `dpi` and takes the rectangle the system suggests.
    void OnDpiChanged(int dpi, const RECT& suggested);
    // Screen position minus the placement's restored position (the work area's origin on Windows).
    void MeasurePlacementOffset();
    // Checks the fold's menu items while the window is folded, clears them otherwise.
    void ShowFoldCheck();
    bool OnEditorMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnDropFiles(HDROP drop);
    // IMainWindow
    void SetCaption(const std::string& caption) override;
    void SetApplicationTitle(const std::string& title) override;
    void ShowIconOf(const std::string& fullPath) override;
    void ShowFormat(const TextFormat& format) override;
    void ShowAbout() override;
    void ShowSettings() override;
    void Close() override;
    void RefreshGutter() override;
    void SetMenuCaption(CommandId command, const std::string& caption) override;
    void ToggleStatusBar() override;
    // Shows or hides the status bar, checks its menu item to match, and gives the editor the room.
    void SetStatusBarShown(bool shown);
    // The status bar follows the caret: called after whatever may have moved it.
    void ShowCaretPlace();
    void ShowContextMenu(HMENU menu, HWND owner, LPARAM screenPoint);
    const Menu* ContextMenuOf(HWND window) const;
    int Scale(int designPixels) const { return MulDiv(designPixels, m_dpi, 96); }

    Application& m_app;
    StartupContext m_startup;
    int m_designHeight = 0;          // the outer height as designed, for an unfold with nothing to return to
    HICON m_documentIcon = nullptr;  // the opened file's icon, owned
    RegionalFormats m_formats;
    int m_dpi = 96;
    POINT m_placementOffset{0, 0};
    bool m_startMaximized = false;  // read at the start: the first show maximizes
    TextFormat m_shownFormat;
    ScopedFont m_windowFont;  // the band's and the status bar's font, at m_dpi
    // Declared before the windows they act on, so the windows go first and no late notification reaches
    // commands already gone.
    std::unique_ptr<Win32Platform> m_platform;
    std::unique_ptr<TovelCommands> m_commands;
    std::unique_ptr<ToolBand> m_band;
    std::unique_ptr<LineGutter> m_gutter;
    std::unique_ptr<StatusBar> m_status;
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
