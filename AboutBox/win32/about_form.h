#pragma once
// About_Form, the About box: a borderless box with the logo, the product's name, version and rights
// notice, and below them (once expanded) the login name and the system's name and version. Created
// hidden at start-up and only hidden and shown afterwards; what FormCreate gathers is never refreshed.
// The logo, the labels and the small triangle are drawn by the box itself, as pictures and labels on
// it; only the OK button is a window of its own. Owned by the main window, centred on it at each display,
// closed by Esc and Enter, and laid out again when the resolution of its monitor changes.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/win32/scoped_win.h"
#include "platform/win32/window_base.h"

namespace tovel {

// The parts of the box that take the mouse, topmost first when they overlap.
enum class AboutItem { None, Label8, Image1, Label3, Label2, Label1, Mark };

// The logo JPEG embedded in the module's resources, or empty when it has none.
std::string_view EmbeddedLogo(HINSTANCE instance);

class TAbout_Form : public WindowBase {
public:
    // With the logo from the program's resources, owned by `owner` (the main window).
    TAbout_Form(WindowHost& host, HWND owner);
    // With the given logo bytes; a logo that cannot be decoded leaves the box without one.
    TAbout_Form(WindowHost& host, HWND owner, std::string_view logoJpeg);

    // Shows the box centred on its owner, or brings it to the front (where it stands) when it is already
    // shown.
    void ShowModeless();
    // Esc and Enter typed in the box close it; called by the message loop with every message before it is
    // dispatched. True when the key was used.
    bool PreviewMessage(const MSG& msg);

    const std::string& UserName() const { return m_userName; }
    const std::string& OSName() const { return m_osName; }
    const std::string& OSVersion() const { return m_osVersion; }
    bool HasLogo() const { return m_logo.Get() != nullptr; }
    // Label8's font colour as a colour value: 255 (red) or 0x80000008 (the system's window text).
    std::int32_t Label8Color() const { return m_label8Color; }
    HCURSOR Label8Cursor() const { return m_label8Cursor; }
    HWND Button1() const { return m_button1; }
    // The part of the box at a client point.
    AboutItem HitTest(POINT client) const;
    // A part's rectangle in client pixels.
    RECT Bounds(AboutItem item) const;
    int Dpi() const { return m_dpi; }
    // Where the logo is drawn, and where its stripe shows, in client pixels; empty without a logo.
    RECT LogoBounds() const;
    RECT LogoStripeBounds() const;

    // ---- Handlers
    void MarkClick();
    void Button1Click();
    void Image1Click();
    void Label8MouseEnter();
    void Label8MouseLeave();

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void FormCreate();
    void CreateFonts();
    void SetHeight(int designHeight);
    void OnDpiChanged(int dpi, const RECT& suggested);
    void Paint(HDC dc);
    void PaintLogo(HDC dc);
    void PaintLabels(HDC dc);
    void PaintGroupBox(HDC dc);
    void OnMouseMove(POINT client);
    void OnButtonUp(POINT client);
    int Scale(int designPixels) const { return MulDiv(designPixels, m_dpi, 96); }

    int m_dpi;
    ScopedFont m_font;
    ScopedFont m_titleFont;
    ScopedBitmap m_logo;
    SIZE m_logoSize{};
    ScopedBitmap m_triangle;
    HWND m_button1 = nullptr;
    std::string m_userName = "olka tovel user";
    std::string m_osName = "MS Windows";
    std::string m_osVersion = "Nothing";
    std::int32_t m_label8Color;
    HCURSOR m_label8Cursor;
    AboutItem m_pressed = AboutItem::None;
    bool m_label8Hot = false;
    bool m_trackingLeave = false;
};

}  // namespace tovel
