#pragma once
// The line-number gutter: the panel at the left of the main window. It draws each file line's number
// beside the line's first row of the editor, at the editor's own row height, in its WM_PAINT. Refresh
// reads the rows the editor shows and repaints only when what is shown changed; the owner calls it
// whenever the editor's view may have changed (the editor's view observer) and lays out again when the
// width changes, which it does when the line count gains or loses a digit beyond three.
#include <windows.h>

#include <vector>

#include "gutter/gutter_model.h"
#include "platform/win32/scintilla_editor.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/window_base.h"

namespace tovel {

class LineGutter {
public:
    // Design pixels, for 96 dots per inch.
    static constexpr int kDesignWidth = 37;  // holds three digits
    static constexpr int kDesignTop = 41;

    // Creates the panel as a child of `parent` at design left 0, top 41, 37 px wide and reaching the bottom
    // of the parent's client area. Every position and size is scaled by dpi / 96.
    LineGutter(HWND parent, int dpi);
    ~LineGutter();
    LineGutter(const LineGutter&) = delete;
    LineGutter& operator=(const LineGutter&) = delete;

    HWND Panel() const { return m_panel.Handle(); }
    // The width the gutter needs now, in pixels: the owner places it this wide.
    int Width() const { return m_width; }
    int Scale(int designPixels) const { return MulDiv(designPixels, m_dpi, 96); }
    // Rescales the font and the width for another resolution; the owner lays out again.
    void SetDpi(int dpi);

    // Places the panel, in parent client pixels (already scaled).
    void SetBounds(int x, int y, int width, int height);

    // Reads the rows the editor shows and repaints when the numbers or their places changed. Returns true
    // when the width changed, so the owner lays out again.
    bool Refresh(const ScintillaEditor& editor);
    // What the panel draws: each number with the y of its row's top, in panel client pixels.
    const std::vector<GutterNumber>& Numbers() const { return m_numbers; }

private:
    // The panel: numbers on the application-workspace colour inside a raised bevel, drawn off screen first.
    class PanelWindow : public WindowBase {
    public:
        explicit PanelWindow(LineGutter& owner) : m_owner(owner) {}
        static void RegisterClassOnce(HINSTANCE instance);
        using WindowBase::Create;

    protected:
        LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    private:
        LineGutter& m_owner;
    };

    void Paint(HDC dc, const RECT& client) const;
    // The font for the current resolution and the widest digit in it.
    void MakeFont();
    void ShowNumbers(std::vector<GutterNumber> numbers);

    int m_dpi;
    int m_digitWidth = 0;
    int m_digits = 1;
    int m_width = 0;
    std::vector<GutterNumber> m_numbers;
    std::vector<ScintillaEditor::ShownRow> m_rows;  // kept between refreshes: no allocation per scroll
    GutterView m_view;
    ScopedFont m_font;  // declared before the panel, which paints with it
    PanelWindow m_panel{*this};
};

}  // namespace tovel
