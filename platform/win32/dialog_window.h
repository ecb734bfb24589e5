#pragma once
// Shared Win32 plumbing of the program-built dialogs: an empty in-memory dialog template run modally,
// text measurement, child controls at pixel positions, and centring on the screen.
#include <windows.h>

#include <string>

#include "platform/win32/dialog_layout.h"

namespace tovel::dialogs {

// Runs a modal dialog owned by `owner` from a template without controls; `proc` creates them in
// WM_INITDIALOG (receiving `param`). Returns EndDialog's value.
INT_PTR RunModalDialog(HWND owner, DLGPROC proc, LPARAM param);

// The dialog units of the font selected into `dc`.
DialogUnits MeasureUnits(HDC dc);

// The size DrawText gives `text` in the font selected into `dc`, word-wrapped within maxWidth when
// `flags` holds DT_WORDBREAK.
SIZE MeasureText(HDC dc, const std::string& text, int maxWidth, UINT flags);

// A child control of the dialog at a pixel box, in the dialog's font.
HWND AddControl(HWND dialog, const char* className, const std::string& text, DWORD style, int id, const Box& box,
                HFONT font, DWORD exStyle = 0);

// Sizes the dialog to a client area and centres it on the screen.
void PlaceCentred(HWND dialog, int clientWidth, int clientHeight);

// The window styles of every program-built dialog: fixed border, caption with a close box.
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

}  // namespace tovel::dialogs
