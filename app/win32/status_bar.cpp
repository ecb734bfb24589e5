#include "app/win32/status_bar.h"

#include <algorithm>

#include "platform/error.h"

namespace tovel {
namespace {

constexpr char kBarClass[] = "TovelStatusBar";
// The format part's width as designed, the grip included: room for the longest name
// ("UTF-16 LE (BOMなし)  改行混在").
constexpr int kFormatPartWidth = 200;
constexpr int kPadding = 4;  // design pixels above and below the text, and before it in each part

}  // namespace

StatusBar::StatusBar(HWND parent, int dpi, HFONT font) : m_dpi(dpi > 0 ? dpi : 96), m_font(font) {
    // Redrawn whole when its size changes: the grip and the format part move with the right edge.
    const WindowClassLook look{nullptr, nullptr, CS_HREDRAW | CS_VREDRAW, IDC_ARROW};
    if (!BarWindow::RegisterClassOnce(WindowBase::InstanceOf(parent), kBarClass, look))
        throw Error("ステータスバーを作成できません");
    MeasureFont();
    m_window.Create(kBarClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, 0, parent, nullptr);
    if (!Handle()) throw Error("ステータスバーを作成できません");
    RECT client;
    GetClientRect(parent, &client);
    SetWidth(client.right);
}

void StatusBar::MeasureFont() {
    ScopedMemoryDC dc(nullptr);
    ScopedSelect select(dc.Get(), m_font);
    TEXTMETRICA metrics{};
    m_textHeight = GetTextMetricsA(dc.Get(), &metrics) ? static_cast<int>(metrics.tmHeight) : Scale(16);
    m_height = m_textHeight + 2 * Scale(kPadding);
}

void StatusBar::SetShown(bool shown) {
    m_shown = shown;
    ShowWindow(Handle(), shown ? SW_SHOWNA : SW_HIDE);
}

int StatusBar::Height() const { return m_shown ? m_height : 0; }

void StatusBar::SetWidth(int width) {
    const HWND parent = GetParent(Handle());
    RECT client{};
    GetClientRect(parent, &client);
    m_width = std::max(0, width);
    SetWindowPos(Handle(), nullptr, 0, client.bottom - m_height, m_width, m_height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    // The grip comes and goes as the parent is maximized and restored, with no change of the bar's size.
    InvalidateRect(Handle(), nullptr, FALSE);
}

void StatusBar::SetDpi(int dpi, HFONT font) {
    if (dpi > 0) m_dpi = dpi;
    m_font = font;
    MeasureFont();
    InvalidateRect(Handle(), nullptr, FALSE);
}

void StatusBar::ShowPosition(long long line, long long column) {
    SetText(kPositionPart, std::to_string(line) + " 行  " + std::to_string(column) + " 列");
}

void StatusBar::ShowFormat(const TextFormat& format) { SetText(kFormatPart, DisplayName(format)); }

void StatusBar::SetText(int part, std::string text) {
    if (m_text[part] == text) return;
    m_text[part] = std::move(text);
    // Drawn now, that part alone: waiting for a paint would repaint through the whole paint cycle again.
    if (!IsWindowVisible(Handle())) return;
    ScopedGetDC dc(Handle());
    if (dc.Get()) DrawPart(dc.Get(), part);
}

RECT StatusBar::PartRect(int part) const {
    const int edge = std::max(0, m_width - Scale(kFormatPartWidth));
    if (part == kPositionPart) return RECT{0, 0, edge, m_height};
    const int right = GripShown() ? GripRect().left : m_width;
    return RECT{edge, 0, std::max(edge, right), m_height};
}

RECT StatusBar::GripRect() const { return RECT{std::max(0, m_width - m_height), 0, m_width, m_height}; }

bool StatusBar::GripShown() const {
    // A maximized window cannot be sized by its corner.
    const HWND parent = GetParent(Handle());
    return parent && !IsZoomed(parent) && (GetWindowLongA(parent, GWL_STYLE) & WS_THICKFRAME);
}

void StatusBar::DrawPart(HDC dc, int part) const {
    const RECT r = PartRect(part);
    ScopedSelect font(dc, m_font);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    const std::string& text = m_text[part];
    const int left = r.left + Scale(kPadding) + (part == kPositionPart ? 0 : 1);  // past the separator
    // One call fills the part and writes its text, clipped to it: nothing flickers.
    ExtTextOutA(dc, left, (m_height - m_textHeight) / 2, ETO_OPAQUE | ETO_CLIPPED, &r, text.data(),
                static_cast<UINT>(text.size()), nullptr);
    if (part != kPositionPart) {
        // A thin line between the parts.
        const RECT line{r.left, r.top + Scale(3), r.left + 1, r.bottom - Scale(3)};
        FillRect(dc, &line, GetSysColorBrush(COLOR_3DSHADOW));
    }
}

void StatusBar::Paint(HDC dc) const {
    DrawPart(dc, kPositionPart);
    DrawPart(dc, kFormatPart);
    if (!GripShown()) return;
    RECT grip = GripRect();
    FillRect(dc, &grip, GetSysColorBrush(COLOR_BTNFACE));
    DrawFrameControl(dc, &grip, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}

LRESULT StatusBar::OnBarMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // the paint fills every pixel
        case WM_PAINT: {
            PAINTSTRUCT ps;
            if (HDC dc = BeginPaint(m_window.Handle(), &ps)) {
                Paint(dc);
                EndPaint(m_window.Handle(), &ps);
            }
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wp));
            return 0;
        case WM_NCHITTEST: {
            // The grip sizes the main window from its corner.
            POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            ScreenToClient(m_window.Handle(), &p);
            const RECT grip = GripRect();
            if (GripShown() && PtInRect(&grip, p)) return HTBOTTOMRIGHT;
            break;
        }
        case WM_NCLBUTTONDOWN:
            if (wp == HTBOTTOMRIGHT) {
                SendMessageA(GetParent(m_window.Handle()), WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, lp);
                return 0;
            }
            break;
        case WM_SETCURSOR:
            if (LOWORD(lp) == HTBOTTOMRIGHT) {
                SetCursor(LoadCursor(nullptr, IDC_SIZENWSE));
                return TRUE;
            }
            break;
        default:
            break;
    }
    return m_window.DefaultMessage(msg, wp, lp);
}

}  // namespace tovel
