#pragma once
// Where the program's modeless boxes open: centred on the window that owns them and kept on the work area
// of that window's monitor. Pure, so the rule runs on the host.
#include "platform/screen_rect.h"

namespace tovel {

struct ScreenPoint {
    int x = 0, y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// The top-left corner of a window `width` x `height` centred on `owner`, then moved inside `workArea` as far
// as it fits. A window wider or taller than the work area starts at its left or top edge, so its caption
// and the start of its contents stay reachable.
ScreenPoint CentreOn(const ScreenRect& owner, int width, int height, const ScreenRect& workArea);

}  // namespace tovel
