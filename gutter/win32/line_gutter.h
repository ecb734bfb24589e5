#pragma once
// The line-number gutter: the panel gyohyouji at the left of the main window with its 43 number labels
// gyou1 .. gyou43. It is not drawn from the text; Refresh sets which labels show and which numbers they
// carry, and the owner decides when to call it. Labels whose state does not change are not touched, so a
// refresh that changes nothing sends them no message and nothing flickers.
#include <windows.h>

#include <array>

#include "gutter/gutter_model.h"
#include "platform/editor.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/window_base.h"

namespace tovel {

class LineGutter {
public:
    // Design pixels, for 96 dots per inch.
    static constexpr int kDesignWidth = 37;
    static constexpr int kDesignTop = 41;

    // Creates the panel as a child of `parent` at design left 0, top 41, 37 px wide and reaching the bottom
    // of the parent's client area. Every position and size is scaled by dpi / 96.
    LineGutter(HWND parent, int dpi);
    ~LineGutter();
    LineGutter(const LineGutter&) = delete;
    LineGutter& operator=(const LineGutter&) = delete;

    HWND Panel() const { return m_panel.Handle(); }
    // Label k, 1-based as in its name gyou<k>; also the label's control id on the panel.
    HWND Label(int k) const { return m_labels[static_cast<std::size_t>(k - 1)]; }
    // Zero-based first visible line of the editor as read by the last refresh (0 before the first one).
    int TopLine() const { return m_topLine; }
    int Scale(int designPixels) const { return MulDiv(designPixels, m_dpi, 96); }

    // Places the panel, in parent client pixels (already scaled).
    void SetBounds(int x, int y, int width, int height);

    // Shows min(lineCount + 1, 43) labels from the top, numbered firstVisibleLine + k (hidden ones too).
    void Refresh(int lineCount, int firstVisibleLine);
    // The same, reading the editor's line count (only as far as the labels can tell counts apart) and
    // its first visible line.
    void Refresh(IEditor& editor);

private:
    // The panel: a raised bevel on the application-workspace colour, behind the labels.
    class PanelWindow : public WindowBase {
    public:
        static void RegisterClassOnce(HINSTANCE instance);
        using WindowBase::Create;

    protected:
        LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    private:
        void Paint(HDC dc);
    };

    int m_dpi;
    int m_topLine = 0;
    GutterState m_shown;  // what the labels show now
    ScopedFont m_font;    // declared before the panel: the labels are destroyed before their font
    PanelWindow m_panel;
    std::array<HWND, kGutterLabelCount> m_labels{};
};

}  // namespace tovel
