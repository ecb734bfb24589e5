#pragma once
// The main window TovForm: holds the editor and the document, restores itself from the settings file at
// creation (FormCreate) and writes the backup and the settings at close (FormClose).
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/window_base.h"
#include "document/mix_list.h"
#include "platform/win32/edit_control.h"
#include "platform/win32/win32_text_files.h"

namespace tovel {

inline constexpr const char* kUntitledName = "無題";
inline constexpr const char* kCleanMark = " - ";
inline constexpr const char* kModifiedMark = " * ";
inline constexpr const char* kBackupFileName = "backup.tov";

// What the process was started with.
struct StartupContext {
    std::string appDir;                  // the executable's folder, with its trailing "\"
    std::vector<std::string> arguments;  // command-line arguments after the program name
};

// The main window's module-level state, alive for the whole run.
struct FormGlobals {
    std::string AppDir;
    std::string CurrentName;
    std::string ModMark;
    std::string BaseTitle;
    std::string TopMostState;
};

class TTovForm : public WindowBase {
public:
    TTovForm(Application& app, StartupContext startup);

    EditControl& Note() { return *m_note; }
    const FormGlobals& Globals() const { return m_globals; }
    MixList& Mix() { return m_mixList; }
    HBITMAP ToolBitmap() const { return m_toolBitmap.Get(); }

    // Caption rule: CurrentName + ModMark + BaseTitle.
    std::string TitleLine() const;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void FormCreate();
    void FormClose();
    void LoadToolBitmap(const std::string& path);
    void LayOut();
    void PaintBand(HDC dc);
    int Scale(int designPixels) const { return MulDiv(designPixels, m_dpi, 96); }

    StartupContext m_startup;
    FormGlobals m_globals;
    MixList m_mixList;
    Win32TextFiles m_files;
    std::unique_ptr<EditControl> m_note;
    ScopedBitmap m_toolBitmap;
    int m_dpi = 96;
};

}  // namespace tovel
