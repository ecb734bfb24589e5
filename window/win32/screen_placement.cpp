#include "window/win32/screen_placement.h"

namespace tovel {
namespace {

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{sizeof info};
    if (GetMonitorInfoA(monitor, &info)) {
        const RECT& r = info.rcWork;
        reinterpret_cast<std::vector<ScreenRect>*>(list)->push_back({r.left, r.top, r.right, r.bottom});
    }
    return TRUE;
}

}  // namespace

std::vector<ScreenRect> MonitorWorkAreas() {
    std::vector<ScreenRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

void KeepOnScreen(HWND window, bool whole) {
    RECT r{};
    if (!GetWindowRect(window, &r)) return;
    const ScreenRect stored{r.left, r.top, r.right, r.bottom};
    // The strip the user drags: the title bar and the sizing frame above it.
    const int caption = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYSIZEFRAME);
    const std::vector<ScreenRect> areas = MonitorWorkAreas();
    const ScreenRect placed = whole ? FitOnScreen(stored, areas) : PlaceOnScreen(stored, areas, caption);
    if (placed == stored) return;
    SetWindowPos(window, nullptr, placed.left, placed.top, placed.Width(), placed.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tovel
