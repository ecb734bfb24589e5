#pragma once
// The placement rule applied to a real top-level window against the monitors attached now.
#include <windows.h>

#include <vector>

#include "window/window_placement.h"

namespace tovel {

// Each monitor's work area in screen coordinates; empty when none can be enumerated.
std::vector<ScreenRect> MonitorWorkAreas();

// Moves (and shrinks if it must) the window so that it can be used on a monitor; a window that already can
// stays where it is, untouched. `whole`: the window must lie wholly on one (FitOnScreen).
void KeepOnScreen(HWND window, bool whole = false);

}  // namespace tovel
