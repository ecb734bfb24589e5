#pragma once
// CoolBar1, the band holder along the top edge, and ToolBar1, the flat captioned toolbar inside it. The
// holder is a small window of our own that paints its background picture tiled; the toolbar is
// transparent, so the picture shows behind its buttons.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/scoped_win.h"
#include "platform/win32/window_base.h"

namespace tovel {

class ToolBand {
public:
    // Creates both controls; button clicks reach `commandTarget` as WM_COMMAND with the button's command id.
    ToolBand(HWND parent, HWND commandTarget, int dpi, HFONT captionFont);
    ~ToolBand();
    ToolBand(const ToolBand&) = delete;
    ToolBand& operator=(const ToolBand&) = delete;

    HWND CoolBar() const { return m_holder.Handle(); }
    HWND ToolBar() const { return m_toolBar; }
    int Height() const { return m_height; }
    // The picture shown behind the toolbar (tiled across the band); null for none. Not owned.
    void SetBackground(HBITMAP picture);
    void SetWidth(int width);
    // Lays the band out again for a new resolution: pictures of the size it asks for, buttons, gaps and
    // the band's height scaled to it, captions in `captionFont` (not owned; it must outlive the band or
    // the next call).
    void SetDpi(int dpi, HFONT captionFont);
    // The side of the toolbar's pictures in pixels.
    int ImageSize() const { return m_imageSize; }

private:
    int Scale(int px) const { return MulDiv(px, m_dpi, 96); }
    // The pictures, button sizes and separator widths for m_dpi.
    void ApplyDpi(HFONT captionFont);
    void PaintBackground(HDC dc);
    // The band holder's messages: it paints the picture and hands the toolbar's messages to the main window.
    LRESULT OnHolderMessage(UINT msg, WPARAM wp, LPARAM lp);
    using Holder = OwnedWindow<ToolBand, &ToolBand::OnHolderMessage>;

    int m_dpi;
    int m_height;
    int m_imageSize = 0;
    ScopedImageList m_images;  // declared before the holder: the toolbar goes before its images
    Holder m_holder{*this};
    HWND m_toolBar = nullptr;
    HBITMAP m_picture = nullptr;
};

}  // namespace tovel
