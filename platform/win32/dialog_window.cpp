#include "platform/win32/dialog_window.h"

namespace tovel::dialogs {

INT_PTR RunModalDialog(HWND owner, DLGPROC proc, LPARAM param) {
    // DLGTEMPLATE followed by empty menu, class and title words; DWORD-aligned as the API requires.
    struct alignas(4) Template {
        DLGTEMPLATE header;
        WORD menu, windowClass, title;
    };
    Template t{};
    t.header.style = kDialogStyle;
    t.header.cdit = 0;
    return DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &t.header, owner, proc, param);
}

DialogUnits MeasureUnits(HDC dc) {
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE size{};
    GetTextExtentPoint32A(dc, kAlphabet, 52, &size);
    return DialogUnits::FromAlphabet(size.cx, size.cy);
}

SIZE MeasureText(HDC dc, const std::string& text, int maxWidth, UINT flags) {
    RECT r{0, 0, maxWidth, 0};
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, flags | DT_CALCRECT);
    return {r.right - r.left, r.bottom - r.top};
}

HWND AddControl(HWND dialog, const char* className, const std::string& text, DWORD style, int id, const Box& box,
                HFONT font, DWORD exStyle) {
    HWND child =
        CreateWindowExA(exStyle, className, text.c_str(), style | WS_CHILD | WS_VISIBLE, box.x, box.y, box.w, box.h,
                        dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

void PlaceCentred(HWND dialog, int clientWidth, int clientHeight) {
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2, y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    SetWindowPos(dialog, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tovel::dialogs
