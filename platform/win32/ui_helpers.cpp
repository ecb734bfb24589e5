#include "platform/win32/ui_helpers.h"

#include <algorithm>

#include "platform/color_value.h"
#include "platform/win32/scoped_win.h"

namespace tovel {

std::string WindowText(HWND hwnd, std::size_t maxBytes) {
    const std::size_t length = std::min(static_cast<std::size_t>(std::max(0, GetWindowTextLengthA(hwnd))), maxBytes);
    std::string text(length + 1, '\0');
    const int n = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return text;
}

int ScreenDpi() {
    ScopedGetDC screen(nullptr);
    return GetDeviceCaps(screen.Get(), LOGPIXELSY);
}

int WindowDpi(HWND window) {
    // Looked up at run time: older systems and older headers do not have it.
    using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowCall>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        if (const UINT dpi = getDpiForWindow(window); dpi > 0) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

HFONT CreateFormFont(int pixelHeight, int weight) {
    return CreateFontA(-pixelHeight, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "ＭＳ Ｐゴシック");
}

HFONT CreateUserInterfaceFont(int dpi) {
    const bool shiftJis = GetACP() == 932;
    return CreateFontA(-MulDiv(shiftJis ? 9 : 8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       shiftJis ? SHIFTJIS_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, shiftJis ? "ＭＳ Ｐゴシック" : "MS Sans Serif");
}

HFONT CreateMessageFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    return CreateFontIndirectA(&metrics.lfMessageFont);
}

COLORREF ResolveColor(std::int32_t color) {
    if (const auto index = SystemColorIndex(color)) return GetSysColor(*index);
    return static_cast<COLORREF>(color);
}

}  // namespace tovel
