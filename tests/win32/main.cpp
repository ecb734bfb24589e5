// The Win32 tests run in one Wine (or Windows) process with real windows, so they need common controls.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_COOL_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    // Without a per-user folder every window under test keeps its recovery copies beside its own program
    // folder, a test folder: no test meets another's copies, and none lands in the user's profile.
    SetEnvironmentVariableA("LOCALAPPDATA", nullptr);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
