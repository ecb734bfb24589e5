#include "gutter/win32/line_gutter.h"

#include <algorithm>

#include "platform/error.h"
#include "platform/win32/ui_helpers.h"

namespace tovel {
namespace {

constexpr char kPanelClass[] = "TovelLineGutter";
constexpr int kFontHeight = 16;

struct LabelBounds {
    int left, top, width, height;
};

// Design positions of gyou1 .. gyou43 on the panel. The first nineteen were placed by hand (hence the
// uneven left edges and steps); from gyou20 on they follow one 16-px pitch. All right edges fall between
// 32 and 35 px, so the right-aligned numbers stand against the editor.
constexpr std::array<LabelBounds, kGutterLabelCount> kLabels = [] {
    std::array<LabelBounds, kGutterLabelCount> a{{
        {8, 3, 25, 16},   {0, 18, 34, 16},  {0, 34, 33, 16},   {0, 50, 32, 16},  {0, 66, 33, 16},
        {0, 82, 33, 16},  {0, 98, 33, 16},  {0, 115, 33, 16},  {0, 132, 34, 16}, {0, 148, 33, 16},
        {0, 164, 34, 16}, {0, 179, 34, 16}, {10, 195, 24, 16}, {2, 211, 32, 16}, {7, 227, 28, 16},
        {7, 242, 28, 16}, {7, 257, 28, 16}, {6, 272, 29, 17},  {7, 288, 28, 16},
    }};
    for (int k = 20; k <= kGutterLabelCount; ++k) a[static_cast<std::size_t>(k - 1)] = {7, 304 + 16 * (k - 20), 28, 16};
    return a;
}();

}  // namespace

LineGutter::LineGutter(HWND parent, int dpi) : m_dpi(dpi > 0 ? dpi : 96), m_shown(InitialGutter()) {
    const HINSTANCE instance = WindowBase::InstanceOf(parent);
    PanelWindow::RegisterClassOnce(instance);

    RECT client{};
    GetClientRect(parent, &client);
    const int top = Scale(kDesignTop);
    m_panel.Create(kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, top,
                   Scale(kDesignWidth), std::max(0, static_cast<int>(client.bottom) - top), parent, nullptr);
    if (!m_panel.Handle()) throw Error("行番号の欄を作成できません");

    m_font.Reset(CreateFormFont(Scale(kFontHeight)));

    // Created in label order, so gyou1 is the panel's first child and gyou43 its last.
    for (int i = 0; i < kGutterLabelCount; ++i) {
        const LabelBounds& b = kLabels[static_cast<std::size_t>(i)];
        DWORD style = WS_CHILD | SS_RIGHT | SS_NOPREFIX;
        if (m_shown.visible[static_cast<std::size_t>(i)]) style |= WS_VISIBLE;
        HWND label = CreateWindowExA(0, "STATIC", m_shown.Text(i).c_str(), style, Scale(b.left), Scale(b.top),
                                     Scale(b.width), Scale(b.height), m_panel.Handle(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 1)), instance, nullptr);
        if (!label) throw Error("行番号の欄を作成できません");
        SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
        m_labels[static_cast<std::size_t>(i)] = label;
    }
}

// The labels go with the panel, before their font.
LineGutter::~LineGutter() = default;

void LineGutter::PanelWindow::RegisterClassOnce(HINSTANCE instance) {
    // Redrawn whole on every resize, so the bevel never leaves a stale edge behind.
    const WindowClassLook look{nullptr, reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1), CS_HREDRAW | CS_VREDRAW,
                               IDC_CROSS};
    if (!WindowBase::RegisterClassOnce(instance, kPanelClass, look)) throw Error("行番号の欄を作成できません");
}

void LineGutter::PanelWindow::Paint(HDC dc) {
    // A raised bevel one pixel wide: light above and left, shadow below and right.
    RECT r;
    GetClientRect(Handle(), &r);
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
}

LRESULT LineGutter::PanelWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    HWND hwnd = Handle();
    switch (msg) {
        case WM_CTLCOLORSTATIC: {
            // The numbers stand on the panel's own colour.
            const auto dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_APPWORKSPACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_APPWORKSPACE));
        }
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            Paint(dc);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_PRINTCLIENT: {
            const auto dc = reinterpret_cast<HDC>(wp);
            RECT r;
            GetClientRect(hwnd, &r);
            FillRect(dc, &r, GetSysColorBrush(COLOR_APPWORKSPACE));
            Paint(dc);
            return 0;
        }
        default:
            return WindowBase::OnMessage(msg, wp, lp);
    }
}

void LineGutter::SetBounds(int x, int y, int width, int height) {
    MoveWindow(m_panel.Handle(), x, y, std::max(0, width), std::max(0, height), TRUE);
}

void LineGutter::Refresh(int lineCount, int firstVisibleLine) {
    const GutterState next = ComputeGutter(lineCount, firstVisibleLine);
    const GutterDiff diff = DiffGutter(m_shown, next);
    // Visibility first, then the numbers, hidden labels included; untouched labels get no message at all.
    for (const int i : diff.visibility) {
        ShowWindow(m_labels[static_cast<std::size_t>(i)],
                   next.visible[static_cast<std::size_t>(i)] ? SW_SHOWNA : SW_HIDE);
    }
    m_topLine = firstVisibleLine;
    for (const int i : diff.text) SetWindowTextA(m_labels[static_cast<std::size_t>(i)], next.Text(i).c_str());
    m_shown = next;
}

void LineGutter::Refresh(IEditor& editor) {
    // Visibility tells line counts only up to 42 apart, so a long wrapped text need not be laid out whole.
    Refresh(editor.LineCountUpTo(kGutterLabelCount - 1), editor.FirstVisibleLine());
}

}  // namespace tovel
