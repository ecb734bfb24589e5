#pragma once
// CoolBar1, the band holder along the top edge, and ToolBar1, the flat captioned toolbar inside it. The
// holder is a small window of our own that paints its background picture tiled; the toolbar is
// transparent, so the picture shows behind its buttons.
#include <windows.h>
#include <commctrl.h>

namespace tovel {

class ToolBand {
public:
    // Creates both controls; button clicks reach `commandTarget` as WM_COMMAND with the button's command id.
    ToolBand(HWND parent, HWND commandTarget, int dpi, HFONT captionFont);
    ~ToolBand();
    ToolBand(const ToolBand&) = delete;
    ToolBand& operator=(const ToolBand&) = delete;

    HWND CoolBar() const { return m_coolBar; }
    HWND ToolBar() const { return m_toolBar; }
    int Height() const { return m_height; }
    // The picture shown behind the toolbar (tiled across the band); null for none. Not owned.
    void SetBackground(HBITMAP picture);
    void SetWidth(int width);

private:
    int Scale(int px) const { return MulDiv(px, m_dpi, 96); }
    static LRESULT CALLBACK HolderProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void PaintBackground(HDC dc);

    int m_dpi;
    int m_height;
    HWND m_coolBar = nullptr;
    HWND m_toolBar = nullptr;
    HIMAGELIST m_images = nullptr;
    HBITMAP m_picture = nullptr;
};

}  // namespace tovel
