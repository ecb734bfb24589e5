#pragma once
// Places a modeless box of the program centred on the window that owns it, on that window's monitor.
#include <windows.h>

namespace tovel {

// Moves `box` (keeping its size and its place among the windows) so that it is centred on its owner and
// inside the work area of the owner's monitor. A box without an owner is centred on the primary monitor's
// work area. A minimized owner counts with its restored rectangle.
void CentreOnOwner(HWND box);

}  // namespace tovel
