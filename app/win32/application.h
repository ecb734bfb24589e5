#pragma once
// The application object: a small window that carries the application title (the taskbar button's text),
// owns the main window and every box and dialog, and reports errors in the error box.
#include <windows.h>

#include <exception>
#include <string>

#include "platform/win32/scoped_win.h"
#include "platform/win32/window_base.h"

namespace tovel {

class Application : public WindowHost {
public:
    explicit Application(HINSTANCE instance);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HINSTANCE Instance() const override { return m_instance; }
    HWND Handle() const { return m_window.Get(); }
    HWND Owner() const override { return Handle(); }

    // The application title as read back from its window: at most 255 bytes.
    std::string Title() const;
    void SetTitle(const std::string& title);

    void SetMainWindow(HWND main) { m_main = main; }
    HWND MainWindow() const { return m_main; }
    void Minimize();

    // The error box: the message with its final "." rule, the application title as caption, a stop icon.
    void ShowError(const std::string& message);
    // The single place where an error escaping a command handler is caught and shown.
    void ReportCurrentException() noexcept override;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    HINSTANCE m_instance;
    ScopedWindow m_window;
    HWND m_main = nullptr;
};

// While alive, every other visible top-level window of the program takes no input; on exit they take
// input again and the window that was active gets its activation and focus back. Given the application,
// it also takes a main window that stays on top out of the topmost band, so that the box or dialog
// shows above it, and puts it back on top at the end.
class ModalScope {
public:
    explicit ModalScope(const Application* app = nullptr);
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
    ~ModalScope();

    // True while a box or dialog of the program is open: requests that would ask a question of their own
    // (a close, a dropped file) are then ignored, so that only one question is ever open.
    static bool AnyOpen() { return s_open > 0; }

private:
    static BOOL CALLBACK Collect(HWND hwnd, LPARAM self);
    HWND m_active;
    HWND m_focus;
    HWND m_lowered = nullptr;  // the main window taken out of the topmost band
    HWND m_disabled[16] = {};
    int m_count = 0;
    inline static int s_open = 0;  // one user-interface thread
};

}  // namespace tovel
