#include "window/window_placement.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tovel {
namespace {

std::int64_t OverlapArea(const ScreenRect& a, const ScreenRect& b) {
    const std::int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const std::int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// The squared distance between the nearest points of two rectangles; 0 when they touch or overlap.
std::int64_t GapSquared(const ScreenRect& a, const ScreenRect& b) {
    const std::int64_t dx = std::max({0, b.left - a.right, a.left - b.right});
    const std::int64_t dy = std::max({0, b.top - a.bottom, a.top - b.bottom});
    return dx * dx + dy * dy;
}

bool UsableOn(const ScreenRect& window, const ScreenRect& area, int captionHeight) {
    const std::int64_t overlap = OverlapArea(window, area);
    const std::int64_t whole = static_cast<std::int64_t>(window.Width()) * window.Height();
    const int caption = std::min(captionHeight, window.Height());
    // Half the area on this work area with the caption's rows inside it means at least half of the
    // caption's width is there too: the window can be grabbed and moved.
    return overlap > 0 && 2 * overlap >= whole && window.top >= area.top && window.top + caption <= area.bottom;
}

// The work area to move onto: the one the window overlaps most, else the nearest.
const ScreenRect& Nearest(const ScreenRect& window, std::span<const ScreenRect> areas) {
    const ScreenRect* best = &areas.front();
    for (const ScreenRect& area : areas) {
        const std::int64_t overlap = OverlapArea(window, area), bestOverlap = OverlapArea(window, *best);
        if (overlap > bestOverlap || (overlap == bestOverlap && GapSquared(window, area) < GapSquared(window, *best))) {
            best = &area;
        }
    }
    return *best;
}

// A monitor reported with no room (being switched off) is no place to go.
std::vector<ScreenRect> Usable(std::span<const ScreenRect> workAreas) {
    std::vector<ScreenRect> areas;
    for (const ScreenRect& area : workAreas) {
        if (area.Width() > 0 && area.Height() > 0) areas.push_back(area);
    }
    return areas;
}

ScreenRect MoveInto(const ScreenRect& stored, const ScreenRect& area) {
    const int width = std::clamp(stored.Width(), 0, area.Width());
    const int height = std::clamp(stored.Height(), 0, area.Height());
    const int left = std::clamp(stored.left, area.left, area.right - width);
    const int top = std::clamp(stored.top, area.top, area.bottom - height);
    return {left, top, left + width, top + height};
}

}  // namespace

ScreenRect PlaceOnScreen(const ScreenRect& stored, std::span<const ScreenRect> workAreas, int captionHeight) {
    const std::vector<ScreenRect> areas = Usable(workAreas);
    if (areas.empty()) return stored;
    for (const ScreenRect& area : areas) {
        if (UsableOn(stored, area, captionHeight)) return stored;
    }
    return MoveInto(stored, Nearest(stored, areas));
}

ScreenRect FitOnScreen(const ScreenRect& window, std::span<const ScreenRect> workAreas) {
    const std::vector<ScreenRect> areas = Usable(workAreas);
    return areas.empty() ? window : MoveInto(window, Nearest(window, areas));
}

}  // namespace tovel
