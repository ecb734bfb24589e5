#pragma once
// Where the main window starts: the stored rectangle where it can be used, or the nearest place on a
// monitor where it can. Pure, so the rule is tested on the host with any set of monitors.
#include <span>

#include "platform/screen_rect.h"

namespace tovel {

// `stored`: the window's outer rectangle as read from the settings. `workAreas`: each monitor's work area
// (the screen less the taskbar). `captionHeight`: the strip at the window's top the user drags it by.
// The stored rectangle is kept when one work area holds at least half of it and all the rows of its
// caption strip (the caption then lies at least half on that area too). Otherwise it is moved onto the
// work area it overlaps most, or the nearest when it overlaps none, shrunk to that area if larger, and
// moved no further than it must. With no work area known it is kept.
ScreenRect PlaceOnScreen(const ScreenRect& stored, std::span<const ScreenRect> workAreas, int captionHeight);

// The place of a window nothing was stored for (the first start, where the designed place scaled to a
// high dpi may run past a small screen): wholly on the work area it overlaps most, shrunk if larger,
// moved no further than it must.
ScreenRect FitOnScreen(const ScreenRect& window, std::span<const ScreenRect> workAreas);

}  // namespace tovel
