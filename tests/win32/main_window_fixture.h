#pragma once
// The main window for the tests of what only a real window shows. MainWindowHost holds the application
// window and starts main windows on it with a test's own folder and command line; MainWindowFixture
// starts one at once in a fresh folder. A started window goes before the application window, and what it
// left queued is dropped, so nothing reaches the next test's windows.
#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/win32/application.h"
#include "app/win32/tovel_unit.h"
#include "tests/win32/test_folder.h"

namespace tovel::test {

class MainWindowHost : public testing::Test {
protected:
    ~MainWindowHost() override { Stop(); }

    // Starts a main window with `program` as the program's folder (with its trailing "\") and `arguments`
    // as its command line, destroying any window started before.
    TTovForm& Start(const std::string& program, std::vector<std::string> arguments = {}) {
        Stop();
        return m_form.emplace(app, StartupContext{program, std::move(arguments)});
    }

    // Destroys the started window, if any.
    void Stop() {
        m_form.reset();
        DropQueuedMessages();
    }

    // Destroys the started window when it goes out of scope: for a test whose own clean-up (a folder, a
    // held file, the current folder) was declared before it and must outlive the window.
    class StopAtExit {
    public:
        explicit StopAtExit(MainWindowHost& host) : m_host(host) {}
        StopAtExit(const StopAtExit&) = delete;
        StopAtExit& operator=(const StopAtExit&) = delete;
        ~StopAtExit() { m_host.Stop(); }

    private:
        MainWindowHost& m_host;
    };

    // Drops whatever is still queued for this thread, so nothing left over reaches the next test's windows.
    static void DropQueuedMessages() {
        MSG msg;
        // A shown window with a part to paint keeps WM_PAINT in the queue until the part is validated.
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_PAINT) ValidateRect(msg.hwnd, nullptr);
        }
    }

    Application app{GetModuleHandleA(nullptr)};

private:
    std::optional<TTovForm> m_form;
};

// A main window started at once, in a fresh folder as the program's folder, with no arguments.
class MainWindowFixture : public MainWindowHost {
protected:
    MainWindowFixture() : form(Start(folder.Path())) {}
    ~MainWindowFixture() override { Stop(); }  // the window goes before its folder

    TestFolder folder;
    TTovForm& form;
};

}  // namespace tovel::test
