#pragma once
// The settings dialog's two common dialogs. Each lives as long as the settings dialog, so what it was
// last given (colour and custom colours; file name and filter) carries over from one use to the next.
#include <windows.h>

#include <optional>
#include <string>

#include "app/win32/application.h"
#include "setting/color_dialog_rules.h"

namespace tovel {

// ColorDlg: the standard colour dialog in its short form, owned by the application's window, opened with
// the colour last chosen in it (black at first), placed at one third on the active window's monitor.
class ColorDialog {
public:
    explicit ColorDialog(Application& app) : m_app(app) {}
    // The chosen colour (0x00BBGGRR), or nothing when cancelled or closed.
    std::optional<COLORREF> Run();
    COLORREF Color() const { return m_color; }
    const CustomColors& Custom() const { return m_custom; }

private:
    static UINT_PTR CALLBACK Hook(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);

    Application& m_app;
    COLORREF m_color = 0;
    CustomColors m_custom;
    MonitorRect m_monitor;
};

// FileOpenDlg: the open dialog with no title, folder or first name of its own, the read-only box hidden,
// resizable; the chosen file need not exist and the current folder is left where the dialog put it.
class BitmapOpenDialog {
public:
    explicit BitmapOpenDialog(Application& app) : m_app(app) {}
    // The chosen file's full path, or nothing when cancelled.
    std::optional<std::string> Run();

private:
    Application& m_app;
    std::string m_fileName;
    DWORD m_filterIndex = 1;
};

}  // namespace tovel
