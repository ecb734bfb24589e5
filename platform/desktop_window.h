#pragma once
// The main window's place on the desktop, as the window modes change it. Contract: no operation re-creates,
// moves or activates the window or touches what it holds (the editor's text, caret, undo record, the drop
// target); heights are outer heights in screen pixels, title bar and menu bar included.
#include <cstdint>

namespace tovel {

class IDesktopWindow {
public:
    virtual ~IDesktopWindow() = default;
    // Into the topmost band, above every window that is not topmost; or out of it, so that other windows
    // can cover it again.
    virtual void SetTopmost(bool topmost) = 0;
    // Whether the system can draw the window translucent at all (false: leave the opacity alone).
    virtual bool CanBeTranslucent() const = 0;
    // Draws the whole window at this opacity, 255 opaque and 0 invisible.
    virtual void SetOpacity(std::uint8_t alpha) = 0;
    // Draws the window as an ordinary opaque window again and repaints it whole.
    virtual void SetOpaque() = 0;
    virtual int Height() const = 0;
    // Only the height changes: left, top and width stay.
    virtual void SetHeight(int height) = 0;
};

}  // namespace tovel
