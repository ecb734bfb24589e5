#include "AboutBox/win32/about_form.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "AboutBox/about_layout.h"
#include "AboutBox/win32/jpeg_image.h"
#include "AboutBox/win32/system_info.h"
#include "platform/error.h"
#include "platform/win32/centre_on_owner.h"
#include "platform/win32/ui_helpers.h"

namespace tovel {
namespace {

constexpr char kClassName[] = "TAbout_Form";
constexpr int kDesignWidth = 321, kDesignHeight = 242;
constexpr int kCollapsedHeight = 170, kExpandedHeight = 245;
constexpr int kButton1Id = 100;
constexpr AboutRect kButton1{240, 208, 315, 233};  // in the user information frame
constexpr std::int32_t kRed = 255;
constexpr std::int32_t kWindowTextColor = static_cast<std::int32_t>(0x80000000u | COLOR_WINDOWTEXT);

constexpr char kProductName[] = "tovel editor";
constexpr char kRightsNotice[] = "Copyright (C) 2025 by";
constexpr char kVersion[] = "tovel version.5.0.0";
constexpr char kMaker[] = "olka";

// The small picture: a red triangle pointing down on white, 12 x 10 pixels.
constexpr int kTriangleWidth = 12, kTriangleHeight = 10;

ScopedBitmap MakeTriangle() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kTriangleWidth;
    info.bmiHeader.biHeight = -kTriangleHeight;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ScopedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap.Get() || !bits) return bitmap;
    const int stride = (kTriangleWidth * 3 + 3) & ~3;
    auto* pixels = static_cast<std::uint8_t*>(bits);
    std::memset(pixels, 0xFF, static_cast<std::size_t>(stride) * kTriangleHeight);  // white
    // Rows 2 to 7 narrow by a pixel on each side: 12, 10, 8, 6, 4, 2 red pixels.
    for (int row = 0; row < 6; ++row) {
        for (int x = row; x < kTriangleWidth - row; ++x) {
            std::uint8_t* p = pixels + (row + 2) * stride + x * 3;
            p[0] = 0x00;  // blue
            p[1] = 0x00;
            p[2] = 0xE0;  // red
        }
    }
    GdiFlush();
    return bitmap;
}

RECT ToRect(const AboutRect& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const AboutRect& design, int dpi) { return ToRect(ScaleDesign(design, dpi)); }

}  // namespace

std::string_view EmbeddedLogo(HINSTANCE instance) {
    HRSRC found = FindResourceA(instance, "TOVEL_LOGO", RT_RCDATA);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(instance, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    return {static_cast<const char*>(bytes), SizeofResource(instance, found)};
}

TAbout_Form::TAbout_Form(WindowHost& host, HWND owner) : TAbout_Form(host, owner, EmbeddedLogo(host.Instance())) {}

TAbout_Form::TAbout_Form(WindowHost& host, HWND owner, std::string_view logoJpeg)
    : WindowBase(host),
      m_dpi(ScreenDpi()),
      m_label8Color(kWindowTextColor),
      m_label8Cursor(LoadCursor(nullptr, IDC_ARROW)) {
    // A damaged logo is no reason to lose the box: it shows without one. Nothing is reported, since
    // nothing the user did went wrong.
    try {
        const JpegImage image = DecodeJpeg(logoJpeg);
        m_logo = CreateJpegBitmap(image);
        m_logoSize = {image.width, image.height};
    } catch (const std::exception&) {
        m_logo.Reset();
    }
    m_triangle = MakeTriangle();
    CreateFonts();

    RegisterClassOnce(host.Instance(), kClassName, nullptr, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    // No border and no caption bar: the outer size is the client size, and the user cannot move it. Owned
    // by the main window, so it stays above it (also above a main window that stays on top) and goes
    // and comes back with it; placed at each display.
    Create(kClassName, "About_Form", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, Scale(kDesignWidth), Scale(kDesignHeight),
           owner, nullptr);
    if (!Handle()) throw Error("バージョン情報を作成できません");
    m_button1 = CreateWindowExA(0, "BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                Scale(kButton1.left), Scale(kButton1.top), Scale(kButton1.right - kButton1.left),
                                Scale(kButton1.bottom - kButton1.top), Handle(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kButton1Id)), host.Instance(), nullptr);
    SendMessageA(m_button1, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
    FormCreate();
}

// Runs once, at creation: the information is not gathered again when the box is shown later.
void TAbout_Form::FormCreate() {
    const OsVersionRecord version = ReadOsVersion();
    m_osVersion = VersionText(version);
    m_osName = SystemName(version);
    m_userName = ReadLoginName();
    SetHeight(kCollapsedHeight);
}

void TAbout_Form::ShowModeless() {
    if (!IsWindowVisible(Handle())) CentreOnOwner(Handle());
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

bool TAbout_Form::PreviewMessage(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.wParam != VK_ESCAPE && msg.wParam != VK_RETURN)) return false;
    if (!msg.hwnd || (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd))) return false;
    Button1Click();
    return true;
}

void TAbout_Form::CreateFonts() {
    m_font.Reset(CreateFormFont(Scale(12)));
    m_titleFont.Reset(CreateFormFont(Scale(24), FW_BOLD));
}

void TAbout_Form::SetHeight(int designHeight) {
    SetWindowPos(Handle(), nullptr, 0, 0, Scale(kDesignWidth), Scale(designHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Everything is in design pixels scaled at paint time; the fonts and the button are made again. The
// system's suggested rectangle is the box at its new size and place.
void TAbout_Form::OnDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == m_dpi) return;
    m_dpi = dpi;
    CreateFonts();
    SendMessageA(m_button1, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
    SetWindowPos(m_button1, nullptr, Scale(kButton1.left), Scale(kButton1.top), Scale(kButton1.right - kButton1.left),
                 Scale(kButton1.bottom - kButton1.top), SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(Handle(), nullptr, FALSE);
}

RECT TAbout_Form::LogoBounds() const {
    if (!m_logo.Get()) return {};
    return ToRect(PlaceLogo(m_logoSize.cx, m_logoSize.cy, m_dpi).target);
}

RECT TAbout_Form::LogoStripeBounds() const {
    if (!m_logo.Get()) return {};
    return ToRect(PictureToBox(PlaceLogo(m_logoSize.cx, m_logoSize.cy, m_dpi), kLogoStripe));
}

void TAbout_Form::MarkClick() { ShowWindow(Handle(), SW_HIDE); }
void TAbout_Form::Button1Click() { ShowWindow(Handle(), SW_HIDE); }
// Expanded for the rest of the run: nothing collapses it again.
void TAbout_Form::Image1Click() { SetHeight(kExpandedHeight); }

void TAbout_Form::Label8MouseEnter() {
    m_label8Color = kRed;
    m_label8Cursor = LoadCursor(nullptr, IDC_HAND);
    const RECT r = Bounds(AboutItem::Label8);
    InvalidateRect(Handle(), &r, FALSE);
}

void TAbout_Form::Label8MouseLeave() {
    m_label8Color = kWindowTextColor;
    m_label8Cursor = LoadCursor(nullptr, IDC_ARROW);
    const RECT r = Bounds(AboutItem::Label8);
    InvalidateRect(Handle(), &r, FALSE);
}

RECT TAbout_Form::Bounds(AboutItem item) const {
    switch (item) {
        case AboutItem::Mark:
            return ToRect(kAboutMark, m_dpi);
        case AboutItem::Label1:
            return ToRect(kAboutLabel1, m_dpi);
        case AboutItem::Label2:
            return ToRect(kAboutLabel2, m_dpi);
        case AboutItem::Label3:
            return ToRect(kAboutLabel3, m_dpi);
        case AboutItem::Image1:
            return ToRect(kAboutImage1, m_dpi);
        case AboutItem::Label8:
            return ToRect(kAboutLabel8, m_dpi);
        case AboutItem::None:
            break;
    }
    return {};
}

AboutItem TAbout_Form::HitTest(POINT client) const {
    for (AboutItem item : {AboutItem::Label8, AboutItem::Image1, AboutItem::Label3, AboutItem::Label2,
                           AboutItem::Label1, AboutItem::Mark}) {
        const RECT r = Bounds(item);
        if (PtInRect(&r, client)) return item;
    }
    return AboutItem::None;
}

void TAbout_Form::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (m_logo.Get()) PaintLogo(dc);
    PaintLabels(dc);
    if (m_triangle.Get()) {
        const RECT image = Bounds(AboutItem::Image1);
        const int w = Scale(kTriangleWidth), h = Scale(kTriangleHeight);  // pixel for pixel at 96 dpi
        const int x = image.left + (image.right - image.left - w) / 2;
        const int y = image.top + (image.bottom - image.top - h) / 2;
        ScopedMemoryDC memory(dc);
        ScopedSelect picture(memory.Get(), m_triangle.Get());
        const COLORREF transparent = GetPixel(memory.Get(), 0, kTriangleHeight - 1);  // the bottom-left pixel
        TransparentBlt(dc, x, y, w, h, memory.Get(), 0, 0, kTriangleWidth, kTriangleHeight, transparent);
    }
    PaintGroupBox(dc);
}

void TAbout_Form::PaintLogo(HDC dc) {
    const LogoPlacement place = PlaceLogo(m_logoSize.cx, m_logoSize.cy, m_dpi);
    const AboutRect& s = place.source;
    const AboutRect& t = place.target;
    const int sw = s.right - s.left, sh = s.bottom - s.top, tw = t.right - t.left, th = t.bottom - t.top;
    if (sw <= 0 || sh <= 0) return;
    ScopedMemoryDC memory(dc);
    ScopedSelect picture(memory.Get(), m_logo.Get());
    if (sw == tw && sh == th) {
        BitBlt(dc, t.left, t.top, tw, th, memory.Get(), s.left, s.top, SRCCOPY);  // at 96 dpi: pixel for pixel
        return;
    }
    // Averaged rather than dropped or doubled pixels; the brush origin must be set again after the mode.
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);
    StretchBlt(dc, t.left, t.top, tw, th, memory.Get(), s.left, s.top, sw, sh, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

void TAbout_Form::PaintLabels(HDC dc) {
    SetBkMode(dc, TRANSPARENT);  // the logo shows around the letters
    auto draw = [&](AboutItem item, const char* text, HFONT font, COLORREF color) {
        ScopedSelect selected(dc, font);
        SetTextColor(dc, color);
        RECT r = Bounds(item);
        DrawTextA(dc, text, -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    };
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    draw(AboutItem::Label1, kProductName, m_titleFont.Get(), text);
    draw(AboutItem::Label2, kRightsNotice, m_font.Get(), text);
    draw(AboutItem::Label3, kVersion, m_font.Get(), text);
    draw(AboutItem::Label8, kMaker, m_font.Get(), ResolveColor(m_label8Color));
}

void TAbout_Form::PaintGroupBox(HDC dc) {
    const RECT box = ToRect(kAboutGroupBox1, m_dpi);
    ScopedSelect selected(dc, m_font.Get());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    static constexpr char kCaption[] = "ユーザー情報";
    SIZE caption{};
    GetTextExtentPoint32A(dc, kCaption, lstrlenA(kCaption), &caption);
    // The frame runs through the middle of the caption's line, broken where the caption stands.
    RECT frame = box;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    RECT behind{box.left + Scale(6), box.top, box.left + Scale(10) + caption.cx, box.top + metrics.tmHeight};
    FillRect(dc, &behind, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    TextOutA(dc, box.left + Scale(8), box.top, kCaption, lstrlenA(kCaption));

    struct Line {
        int x, y;
        const std::string& text;
    };
    const std::string label4 = "ユーザー", label5 = "OS", label7 = "OSバージョン";
    for (const Line& line : {Line{8, 13, label4}, Line{96, 13, m_userName}, Line{96, 29, m_osName},
                             Line{96, 45, m_osVersion}, Line{8, 31, label5}, Line{8, 45, label7}}) {
        TextOutA(dc, box.left + Scale(line.x), box.top + Scale(line.y), line.text.c_str(),
                 static_cast<int>(line.text.size()));
    }
}

void TAbout_Form::OnMouseMove(POINT client) {
    if (!m_trackingLeave) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
        m_trackingLeave = TrackMouseEvent(&track) != FALSE;
    }
    const bool over = HitTest(client) == AboutItem::Label8;
    if (over && !m_label8Hot) {
        m_label8Hot = true;
        Label8MouseEnter();
    } else if (!over && m_label8Hot) {
        m_label8Hot = false;
        Label8MouseLeave();
    }
}

// A click is a press and a release on the same part; Label8 and the other labels take clicks and do nothing.
void TAbout_Form::OnButtonUp(POINT client) {
    const AboutItem pressed = m_pressed;
    m_pressed = AboutItem::None;
    if (GetCapture() == Handle()) ReleaseCapture();
    if (HitTest(client) != pressed) return;
    if (pressed == AboutItem::Mark) MarkClick();
    if (pressed == AboutItem::Image1) Image1Click();
}

LRESULT TAbout_Form::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    switch (msg) {
        case WM_ERASEBKGND:
            return 1;  // all of it is painted at once, without flicker
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(Handle(), &ps);
            RECT client;
            GetClientRect(Handle(), &client);
            ScopedBitmap canvas(CreateCompatibleBitmap(dc, client.right, client.bottom));
            {
                ScopedMemoryDC memory(dc);
                ScopedSelect selected(memory.Get(), canvas.Get());
                Paint(memory.Get());
                BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
            }
            EndPaint(Handle(), &ps);
            return 0;
        }
        case WM_MOUSEMOVE:
            OnMouseMove(at);
            return 0;
        case WM_MOUSELEAVE:
            m_trackingLeave = false;
            if (m_label8Hot) {
                m_label8Hot = false;
                Label8MouseLeave();
            }
            return 0;
        case WM_SETCURSOR: {
            if (LOWORD(lp) != HTCLIENT || reinterpret_cast<HWND>(wp) != Handle()) break;
            POINT cursor;
            GetCursorPos(&cursor);
            ScreenToClient(Handle(), &cursor);
            SetCursor(HitTest(cursor) == AboutItem::Label8 ? m_label8Cursor : LoadCursor(nullptr, IDC_ARROW));
            return TRUE;
        }
        case WM_LBUTTONDOWN:
            m_pressed = HitTest(at);
            SetCapture(Handle());
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(at);
            return 0;
        case WM_CAPTURECHANGED:
            m_pressed = AboutItem::None;
            return 0;
        case WM_COMMAND:
            if (LOWORD(wp) == kButton1Id && HIWORD(wp) == BN_CLICKED) Button1Click();
            return 0;
        case WM_CLOSE:
            ShowWindow(Handle(), SW_HIDE);  // lives for the whole run; closing only hides it
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
            return 0;
    }
    return WindowBase::OnMessage(msg, wp, lp);
}

}  // namespace tovel
