#pragma once
// The main window shared by the tests of what only a real window shows: a fresh folder as the program's
// folder, the application window and the main window on it, made in that order and destroyed in reverse.
#include <windows.h>
#include <gtest/gtest.h>

#include "app/win32/application.h"
#include "app/win32/tovel_unit.h"
#include "tests/win32/test_folder.h"

namespace tovel::test {

class MainWindowFixture : public testing::Test {
protected:
    MainWindowFixture() : form(app, {folder.Path(), {}}) {}

    // Drops whatever is still queued for this thread, so nothing left over reaches the next test's windows.
    static void DropQueuedMessages() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    TestFolder folder;
    Application app{GetModuleHandleA(nullptr)};
    TTovForm form;
};

}  // namespace tovel::test
