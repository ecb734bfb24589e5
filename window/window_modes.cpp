#include "window/window_modes.h"

namespace tovel {

std::string WindowModes::ToggleTopmost() {
    // The switch only moves the window between the bands: nothing is re-created, so the editor's caret,
    // selection, scroll position, undo record, length limit, the drop target and the opacity all stay.
    if (m_state.TopMostState == "OFF") {
        m_window.SetTopmost(true);
        m_state.TopMostState = "ON";
        return "常に手前表示を解除";
    }
    m_window.SetTopmost(false);
    m_state.TopMostState = "OFF";
    return "常に手前に表示";
}

void WindowModes::ShowAtPercent(int percent) {
    SetTranslucent(true);
    SetAlpha(AlphaOfPercent(percent));
}

void WindowModes::ShowOpaque() { SetTranslucent(false); }

// Each setter applies at once when its value changes, so switching on shows the alpha held until then
// first, then the new one.
void WindowModes::SetTranslucent(bool on) {
    if (!m_window.CanBeTranslucent() || on == m_translucent) return;
    m_translucent = on;
    Apply();
}

void WindowModes::SetAlpha(std::uint8_t alpha) {
    if (!m_window.CanBeTranslucent() || alpha == m_alpha) return;
    m_alpha = alpha;
    Apply();
}

void WindowModes::Apply() {
    if (m_translucent) {
        m_window.SetOpacity(m_alpha);
    } else {
        m_window.SetOpaque();
    }
}

int UnfoldedHeight(int outerHeight, const WindowModeState& state, int designHeight) {
    if (!IsFoldedHeight(outerHeight)) return outerHeight;
    // A window that was never folded in this run (sized this small by hand, or started so from the
    // settings) has no height to return to; height 0 would take it off the screen.
    return IsFoldedHeight(state.FoldHeight) ? designHeight : state.FoldHeight;
}

void WindowModes::ToggleFold() {
    const int height = m_window.Height();
    if (!IsFoldedHeight(height)) {
        m_state.FoldHeight = height;
        m_window.SetHeight(kFoldedHeight);
        return;
    }
    m_window.SetHeight(UnfoldedHeight(height, m_state, m_designHeight));
}

}  // namespace tovel
