#include "platform/win32/centre_on_owner.h"

#include "platform/centre_rule.h"

namespace tovel {
namespace {

ScreenRect BoxOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

void CentreOnOwner(HWND box) {
    HWND owner = GetWindow(box, GW_OWNER);
    RECT ownerRect{};
    if (owner && IsIconic(owner)) {
        // The restored place: a minimized window's own rectangle lies off the screen.
        WINDOWPLACEMENT placement{sizeof placement};
        GetWindowPlacement(owner, &placement);
        ownerRect = placement.rcNormalPosition;
    } else if (owner) {
        GetWindowRect(owner, &ownerRect);
    }
    HMONITOR monitor = owner ? MonitorFromRect(&ownerRect, MONITOR_DEFAULTTONEAREST)
                             : MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{sizeof info};
    if (!GetMonitorInfoA(monitor, &info)) {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    }
    if (!owner) ownerRect = info.rcWork;
    RECT r{};
    GetWindowRect(box, &r);
    const ScreenPoint at = CentreOn(BoxOf(ownerRect), r.right - r.left, r.bottom - r.top, BoxOf(info.rcWork));
    SetWindowPos(box, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tovel
