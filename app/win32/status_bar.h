#pragma once
// The status bar along the bottom of the main window: the caret's place in the file on the left, the
// document's format on the right. It can be hidden; hidden, it takes no room.
#include <windows.h>

#include <string>

#include "document/text_format.h"
#include "platform/win32/scoped_win.h"

namespace tovel {

class StatusBar {
public:
    StatusBar(HWND parent, int dpi, HFONT font);
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;

    HWND Handle() const { return m_window.Get(); }
    bool Shown() const { return m_shown; }
    void SetShown(bool shown);
    // The height it takes at the bottom of the parent's client area: 0 while hidden.
    int Height() const;
    // Follows the parent's client area, `width` wide, along its bottom edge.
    void SetWidth(int width);
    // A new resolution and the font for it (not owned; it must outlive the bar or the next call). The
    // parts follow at the next SetWidth.
    void SetDpi(int dpi, HFONT font);

    // "12 行  5 列": the line counted from 1, the column as bytes from the line's start plus 1.
    void ShowPosition(long long line, long long column);
    // DisplayName(format): "UTF-8 (BOM)  LF".
    void ShowFormat(const TextFormat& format);
    // What a part shows: kPositionPart or kFormatPart.
    std::string Text(int part) const;

    static constexpr int kPositionPart = 0;
    static constexpr int kFormatPart = 1;

private:
    void SetText(int part, const std::string& text);

    ScopedWindow m_window;
    int m_dpi;
    bool m_shown = true;
    std::string m_shownText[2];  // an unchanged text is not sent again: the caret moves often
};

}  // namespace tovel
