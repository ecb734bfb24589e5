#pragma once
// The status bar along the bottom of the main window: the caret's place in the file on the left, the
// document's format on the right, and a size grip in the corner. It can be hidden; hidden, it takes no room.
//
// A window of its own rather than the common status bar: the caret's place changes on every key, and the
// common control repaints its whole self for each new text, which cost a keystroke more than the editor's
// own repaint. Here a new text is drawn at once into its part alone, and the paint draws the same.
#include <windows.h>

#include <string>

#include "document/text_format.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/window_base.h"

namespace tovel {

class StatusBar {
public:
    // `font` is not owned; it must outlive the bar or the next SetDpi.
    StatusBar(HWND parent, int dpi, HFONT font);
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;

    HWND Handle() const { return m_window.Handle(); }
    bool Shown() const { return m_shown; }
    void SetShown(bool shown);
    // The height it takes at the bottom of the parent's client area: 0 while hidden.
    int Height() const;
    // Follows the parent's client area, `width` wide, along its bottom edge.
    void SetWidth(int width);
    // A new resolution and the font for it; the height follows at once, the parts at the next SetWidth.
    void SetDpi(int dpi, HFONT font);

    // "12 行  5 列": the line counted from 1, the column as bytes from the line's start plus 1.
    void ShowPosition(long long line, long long column);
    // DisplayName(format): "UTF-8 (BOM)  LF".
    void ShowFormat(const TextFormat& format);
    // What a part shows: kPositionPart or kFormatPart.
    std::string Text(int part) const { return m_text[part]; }

    static constexpr int kPositionPart = 0;
    static constexpr int kFormatPart = 1;

private:
    LRESULT OnBarMessage(UINT msg, WPARAM wp, LPARAM lp);
    using BarWindow = OwnedWindow<StatusBar, &StatusBar::OnBarMessage>;

    int Scale(int designPixels) const { return MulDiv(designPixels, m_dpi, 96); }
    void SetText(int part, std::string text);
    void MeasureFont();
    // The parts and the grip, in client pixels of a bar `width` wide.
    RECT PartRect(int part) const;
    RECT GripRect() const;
    bool GripShown() const;
    void DrawPart(HDC dc, int part) const;
    void Paint(HDC dc) const;

    int m_dpi;
    HFONT m_font;
    int m_textHeight = 0;
    int m_width = 0, m_height = 0;
    bool m_shown = true;
    std::string m_text[2];
    BarWindow m_window{*this};
};

}  // namespace tovel
