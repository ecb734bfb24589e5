#pragma once
// The application object: a small window that carries the application title (the taskbar button's text),
// owns the main window and every box and dialog, and reports errors in the error box.
#include <windows.h>

#include <exception>
#include <string>

#include "platform/win32/modal_scope.h"
#include "platform/win32/scoped_win.h"
#include "platform/win32/window_base.h"

namespace tovel {

class Application : public DialogHost {
public:
    explicit Application(HINSTANCE instance);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HINSTANCE Instance() const override { return m_instance; }
    HWND Handle() const { return m_window.Handle(); }
    HWND Owner() const override { return Handle(); }

    // The application title as read back from its window: at most 255 bytes.
    std::string Title() const override;
    void SetTitle(const std::string& title);

    void SetMainWindow(HWND main) { m_main = main; }
    HWND MainWindow() const override { return m_main; }
    void Minimize();

    // The error box: the message with its final "." rule, the application title as caption, a stop icon.
    void ShowError(const std::string& message) override;
    // The single place where an error escaping a command handler is caught and shown.
    void ReportCurrentException() noexcept override;

private:
    // The application's window, the taskbar button: a restore, a close and an activation go on to the
    // main window.
    LRESULT OnWindowMessage(UINT msg, WPARAM wp, LPARAM lp);
    using Window = OwnedWindow<Application, &Application::OnWindowMessage>;

    HINSTANCE m_instance;
    HWND m_main = nullptr;
    Window m_window{*this, *this};
};

}  // namespace tovel
