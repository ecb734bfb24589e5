#pragma once
// Always on top, the four transparency levels and the fold, written against the desktop-window interface
// so that every rule is tested with a test double. None of the modes is stored: every run starts not on
// top, opaque and unfolded.
#include <cstdint>
#include <string>

#include "platform/desktop_window.h"

namespace tovel {

// The fold leaves a strip this high: the title bar and what fits of the menu bar.
inline constexpr int kFoldedHeight = 38;

// The main window's module-level state that the modes keep.
struct WindowModeState {
    std::string TopMostState = "OFF";  // "ON" while the window stays on top; only "OFF" is tested
    std::int32_t FoldHeight = 0;       // the outer height remembered by the last fold; 0 before any fold
};

// A window this low is folded: the fold command unfolds it, and the fold's menu items show a check.
constexpr bool IsFoldedHeight(int outerHeight) { return outerHeight <= kFoldedHeight; }

// The outer height the window has unfolded: its own when not folded, else the height an unfold gives back
// (the last fold's, or the design height when nothing was folded in this run). What is stored at the close.
int UnfoldedHeight(int outerHeight, const WindowModeState& state, int designHeight);

// The opacity levels offered, in percent; the alpha is the percentage of 255 with the fraction dropped.
constexpr std::uint8_t AlphaOfPercent(int percent) { return static_cast<std::uint8_t>(255 * percent / 100); }

class WindowModes {
public:
    // `designHeight`: the window's height as designed, restored by an unfold that has no height to return to.
    WindowModes(IDesktopWindow& window, WindowModeState& state, int designHeight)
        : m_window(window), m_state(state), m_designHeight(designHeight) {}

    // Switches staying on top; returns the caption the always-on-top menu item shows from now on.
    std::string ToggleTopmost();

    // Translucent at this opacity (75, 55, 35, 15), or opaque again. Requests the system cannot honour
    // are ignored.
    void ShowAtPercent(int percent);
    void ShowOpaque();

    // Folds to the strip, or unfolds to the height the last fold left.
    void ToggleFold();

private:
    void SetTranslucent(bool on);
    void SetAlpha(std::uint8_t alpha);
    void Apply();

    IDesktopWindow& m_window;
    WindowModeState& m_state;
    int m_designHeight;
    bool m_translucent = false;
    std::uint8_t m_alpha = 255;
};

}  // namespace tovel
