#pragma once
// Small Win32 helpers every window of the program uses: a window's text, the screen's resolution, the
// program's fonts and colour values as GDI draws them.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace tovel {

// A window's text, at most `maxBytes` bytes of it.
std::string WindowText(HWND hwnd, std::size_t maxBytes = static_cast<std::size_t>(-1));

// The screen's dots per inch (96 at normal size).
int ScreenDpi();
// The dots per inch of the monitor the window is on, as the system scales it for this program; the
// screen's where the system cannot tell a window's own (before Windows 10 1607).
int WindowDpi(HWND window);

// The program's forms' font, "ＭＳ Ｐゴシック" at a character height in pixels. The caller owns it.
HFONT CreateFormFont(int pixelHeight, int weight = FW_NORMAL);
// The user-interface font at a device's resolution: "ＭＳ Ｐゴシック" 9 pt on a Shift-JIS system, "MS Sans
// Serif" 8 pt elsewhere. The caller owns it.
HFONT CreateUserInterfaceFont(int dpi);
// The system's message-box font; the stock GUI font (not to be deleted, but DeleteObject ignores it)
// when the system does not tell it.
HFONT CreateMessageFont();

// A colour value (0x00BBGGRR, or 0x80000000 + system-colour index) as the RGB it draws with now.
COLORREF ResolveColor(std::int32_t color);

}  // namespace tovel
