#include "gutter/win32/line_gutter.h"

#include <algorithm>

#include "platform/error.h"
#include "platform/win32/ui_helpers.h"

namespace tovel {
namespace {

constexpr char kPanelClass[] = "TovelLineGutter";
constexpr int kFontHeight = 16;
constexpr int kRightMargin = 2;  // design pixels between a number's right edge and the editor

}  // namespace

LineGutter::LineGutter(HWND parent, int dpi) : m_dpi(dpi > 0 ? dpi : 96) {
    PanelWindow::RegisterClassOnce(WindowBase::InstanceOf(parent));
    MakeFont();
    m_width = GutterWidth(m_digits, Scale(kDesignWidth), m_digitWidth);

    RECT client{};
    GetClientRect(parent, &client);
    const int top = Scale(kDesignTop);
    m_panel.Create(kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, top, m_width,
                   std::max(0, static_cast<int>(client.bottom) - top), parent, nullptr);
    if (!m_panel.Handle()) throw Error("行番号の欄を作成できません");
}

LineGutter::~LineGutter() = default;

void LineGutter::PanelWindow::RegisterClassOnce(HINSTANCE instance) {
    // Redrawn whole on every resize, so the bevel never leaves a stale edge behind.
    const WindowClassLook look{nullptr, reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1), CS_HREDRAW | CS_VREDRAW,
                               IDC_CROSS};
    if (!WindowBase::RegisterClassOnce(instance, kPanelClass, look)) throw Error("行番号の欄を作成できません");
}

void LineGutter::MakeFont() {
    ScopedFont font(CreateFormFont(Scale(kFontHeight)));
    if (!font.Get()) throw Error("行番号の欄を作成できません");
    int widest = 0;
    {
        ScopedMemoryDC dc(nullptr);
        ScopedSelect select(dc.Get(), font.Get());
        for (char digit = '0'; digit <= '9'; ++digit) {
            SIZE size{};
            if (GetTextExtentPoint32A(dc.Get(), &digit, 1, &size)) widest = std::max(widest, static_cast<int>(size.cx));
        }
    }
    m_font = std::move(font);
    m_digitWidth = widest > 0 ? widest : Scale(kFontHeight) / 2;
}

void LineGutter::SetDpi(int dpi) {
    m_dpi = dpi > 0 ? dpi : 96;
    MakeFont();
    m_width = GutterWidth(m_digits, Scale(kDesignWidth), m_digitWidth);
    if (m_panel.Handle()) InvalidateRect(m_panel.Handle(), nullptr, FALSE);
}

void LineGutter::SetBounds(int x, int y, int width, int height) {
    MoveWindow(m_panel.Handle(), x, y, std::max(0, width), std::max(0, height), TRUE);
}

bool LineGutter::Refresh(const ScintillaEditor& editor) {
    const HWND panel = m_panel.Handle();
    RECT client{};
    GetClientRect(panel, &client);
    // The editor's rows stand from the top of its client area, wherever that lies relative to the panel.
    POINT origin{0, 0};
    MapWindowPoints(editor.Handle(), panel, &origin, 1);

    m_view.top = origin.y;
    m_view.rowHeight = editor.RowHeight();
    m_view.height = client.bottom;
    m_view.lineCount = editor.FileLineCount();
    const int visibleHeight = std::max(0, static_cast<int>(client.bottom) - std::max(0, m_view.top));
    const int maxRows = m_view.rowHeight > 0 ? visibleHeight / m_view.rowHeight + 2 : 0;
    editor.ShownRows(maxRows, m_rows);
    m_view.rows.clear();
    for (const ScintillaEditor::ShownRow& row : m_rows) m_view.rows.push_back({row.line, row.firstRow});
    ShowNumbers(NumbersToDraw(m_view));

    const int digits = DigitCount(m_view.lineCount);
    if (digits == m_digits) return false;
    m_digits = digits;
    const int width = GutterWidth(m_digits, Scale(kDesignWidth), m_digitWidth);
    if (width == m_width) return false;
    m_width = width;
    return true;
}

void LineGutter::ShowNumbers(std::vector<GutterNumber> numbers) {
    if (numbers == m_numbers) return;
    m_numbers = std::move(numbers);
    // The numbers as the panel's text, top to bottom, for whoever reads the window rather than the pixels.
    std::string text;
    for (const GutterNumber& n : m_numbers) {
        if (!text.empty()) text += ' ';
        text += n.text;
    }
    SetWindowTextA(m_panel.Handle(), text.c_str());
    InvalidateRect(m_panel.Handle(), nullptr, FALSE);
}

void LineGutter::Paint(HDC dc, const RECT& client) const {
    FillRect(dc, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
    // A raised bevel one pixel wide: light above and left, shadow below and right.
    RECT edge = client;
    DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    ScopedSelect font(dc, m_font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const int right = client.right - Scale(kRightMargin);
    for (const GutterNumber& n : m_numbers) {
        RECT r{client.left, n.y, right, n.y + m_view.rowHeight};
        DrawTextA(dc, n.text.c_str(), static_cast<int>(n.text.size()), &r,
                  DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
}

LRESULT LineGutter::PanelWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    HWND hwnd = Handle();
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel: no flash of the bare background first
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT r;
            GetClientRect(hwnd, &r);
            // Drawn off screen and copied in one go, so the numbers never flicker while they change.
            ScopedMemoryDC memory(dc);
            ScopedBitmap bitmap(CreateCompatibleBitmap(dc, std::max(1L, r.right), std::max(1L, r.bottom)));
            if (memory.Get() && bitmap.Get()) {
                ScopedSelect select(memory.Get(), bitmap.Get());
                m_owner.Paint(memory.Get(), r);
                BitBlt(dc, 0, 0, r.right, r.bottom, memory.Get(), 0, 0, SRCCOPY);
            } else {
                m_owner.Paint(dc, r);
            }
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT r;
            GetClientRect(hwnd, &r);
            m_owner.Paint(reinterpret_cast<HDC>(wp), r);
            return 0;
        }
        default:
            return WindowBase::OnMessage(msg, wp, lp);
    }
}

}  // namespace tovel
