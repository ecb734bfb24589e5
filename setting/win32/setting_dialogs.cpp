#include "setting/win32/setting_dialogs.h"

#include <commdlg.h>

namespace tovel {
namespace {

// "label\0pattern\0...\0\0"; sizeof keeps the embedded NULs.
constexpr char kBitmapFilter[] =
    "AllFiles(*.*)\0*.*\0"
    "BitMap(*.bmp)\0*.bmp\0"
    "Text(*.txt)\0*.txt\0"
    "tovel(*.tov)\0*.tov\0";

MonitorRect MonitorOf(HWND window) {
    HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{sizeof info};
    if (!GetMonitorInfoA(monitor, &info)) {
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return {info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
}

}  // namespace

std::optional<COLORREF> ColorDialog::Run() {
    // Measured before the dialog opens: once it is up, it is the active window itself.
    HWND active = GetActiveWindow();
    m_monitor = MonitorOf(active ? active : Owner());
    const auto given = m_custom.ToDialog();
    COLORREF custom[kCustomColorCount];
    for (int i = 0; i < kCustomColorCount; ++i) custom[i] = given[static_cast<std::size_t>(i)];

    CHOOSECOLORA cc{sizeof cc};
    cc.hwndOwner = Owner();
    cc.rgbResult = m_color;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_ENABLEHOOK;
    cc.lpfnHook = Hook;
    cc.lCustData = reinterpret_cast<LPARAM>(this);
    if (!RunModal([&](HWND) { return ChooseColorA(&cc); })) return std::nullopt;
    m_color = cc.rgbResult;
    std::array<std::uint32_t, kCustomColorCount> back{};
    for (int i = 0; i < kCustomColorCount; ++i) back[static_cast<std::size_t>(i)] = custom[i];
    m_custom.FromDialog(back);
    return m_color;
}

UINT_PTR CALLBACK ColorDialog::Hook(HWND dialog, UINT msg, WPARAM, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        const auto* self = reinterpret_cast<const ColorDialog*>(reinterpret_cast<const CHOOSECOLORA*>(lp)->lCustData);
        RECT r{};
        GetWindowRect(dialog, &r);
        const Placement at = PlaceAtOneThird(self->m_monitor, r.right - r.left, r.bottom - r.top);
        SetWindowPos(dialog, nullptr, at.left, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;  // everything else as the dialog does it
}

std::optional<std::string> BitmapOpenDialog::Run() {
    const FileDialogRequest request{false, kBitmapFilter};
    return RunModal([&](HWND owner) { return ChooseFile(owner, request, m_choice); });
}

}  // namespace tovel
