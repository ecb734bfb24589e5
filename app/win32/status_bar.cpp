#include "app/win32/status_bar.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/error.h"

namespace tovel {
namespace {

// The format part's width as designed: room for the longest name ("UTF-16 LE (BOMなし)  改行混在").
constexpr int kFormatPartWidth = 200;

}  // namespace

StatusBar::StatusBar(HWND parent, int dpi, HFONT font) : m_dpi(dpi) {
    m_window.Reset(CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                   parent, nullptr,
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr));
    if (!Handle()) throw Error("ステータスバーを作成できません");
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    RECT client;
    GetClientRect(parent, &client);
    SetWidth(client.right);
}

void StatusBar::SetShown(bool shown) {
    m_shown = shown;
    ShowWindow(Handle(), shown ? SW_SHOWNA : SW_HIDE);
}

int StatusBar::Height() const {
    if (!m_shown) return 0;
    RECT r;
    GetWindowRect(Handle(), &r);
    return r.bottom - r.top;
}

void StatusBar::SetWidth(int width) {
    SendMessageA(Handle(), WM_SIZE, 0, 0);  // the control places itself along the parent's bottom edge
    const int edges[] = {std::max(0, width - MulDiv(kFormatPartWidth, m_dpi, 96)), -1};
    SendMessageA(Handle(), SB_SETPARTS, std::size(edges), reinterpret_cast<LPARAM>(edges));
}

void StatusBar::SetDpi(int dpi, HFONT font) {
    if (dpi > 0) m_dpi = dpi;
    // The bar takes its height from its font.
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void StatusBar::ShowPosition(long long line, long long column) {
    SetText(kPositionPart, std::to_string(line) + " 行  " + std::to_string(column) + " 列");
}

void StatusBar::ShowFormat(const TextFormat& format) { SetText(kFormatPart, DisplayName(format)); }

void StatusBar::SetText(int part, const std::string& text) {
    if (m_shownText[part] == text) return;
    m_shownText[part] = text;
    SendMessageA(Handle(), SB_SETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
}

std::string StatusBar::Text(int part) const {
    // The length the control reports counts characters on some systems and bytes on others: the buffer
    // holds twice as many bytes, every character taking at most two.
    char text[512] = {};
    const auto length = LOWORD(SendMessageA(Handle(), SB_GETTEXTLENGTHA, static_cast<WPARAM>(part), 0));
    if (2u * length >= sizeof text) return {};
    SendMessageA(Handle(), SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace tovel
