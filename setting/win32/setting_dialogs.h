#pragma once
// The settings dialog's two common dialogs. Each lives as long as the settings dialog, so what it was
// last given (colour and custom colours; file name and filter) carries over from one use to the next.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32/modal_scope.h"
#include "platform/win32/win32_file_dialogs.h"
#include "setting/color_dialog_rules.h"

namespace tovel {

// ColorDlg: the standard colour dialog in its short form, owned by the application's window, opened with
// the colour last chosen in it (black at first), placed at one third on the active window's monitor.
class ColorDialog : private HostedDialog {
public:
    explicit ColorDialog(DialogHost& host) : HostedDialog(host) {}
    // The chosen colour (0x00BBGGRR), or nothing when cancelled or closed.
    std::optional<COLORREF> Run();
    COLORREF Color() const { return m_color; }
    const CustomColors& Custom() const { return m_custom; }

private:
    static UINT_PTR CALLBACK Hook(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);

    COLORREF m_color = 0;
    CustomColors m_custom;
    MonitorRect m_monitor;
};

// FileOpenDlg: the open dialog with no title, folder or first name of its own, the read-only box hidden,
// resizable; the chosen file need not exist and the current folder is left where the dialog put it.
class BitmapOpenDialog : private HostedDialog {
public:
    explicit BitmapOpenDialog(DialogHost& host) : HostedDialog(host) {}
    // The chosen file's full path, or nothing when cancelled.
    std::optional<std::string> Run();

private:
    FileChoice m_choice;
};

}  // namespace tovel
