#pragma once
// What the program's boxes and dialogs need from the application, and the scope that makes the whole
// program modal to one of them.
#include <windows.h>

#include <string>

#include "platform/win32/window_base.h"

namespace tovel {

// The application as its boxes and dialogs see it: the owner window (WindowHost::Owner), the title that
// captions a box without one, the main window that leaves the topmost band while a box is open, and the
// error box.
class DialogHost : public WindowHost {
public:
    virtual std::string Title() const = 0;
    virtual HWND MainWindow() const = 0;
    virtual void ShowError(const std::string& message) = 0;

protected:
    ~DialogHost() = default;
};

// While alive, every other visible top-level window of the program takes no input; on exit they take
// input again and the window that was active gets its activation and focus back. Given the host, it
// also takes a main window that stays on top out of the topmost band, so that the box or dialog shows
// above it, and puts it back on top at the end.
class ModalScope {
public:
    explicit ModalScope(const DialogHost* host = nullptr);
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

// The base of every box and dialog the program opens: owned by the application's window, shown with the
// whole program modal to it.
class HostedDialog {
protected:
    explicit HostedDialog(DialogHost& host) : m_host(host) {}
    ~HostedDialog() = default;

    DialogHost& Host() const { return m_host; }
    HWND Owner() const { return m_host.Owner(); }
    // Runs `show(owner)` inside a ModalScope and returns what it returns.
    template <class Show>
    auto RunModal(Show&& show) const {
        ModalScope modal(&m_host);
        return show(Owner());
    }

private:
    DialogHost& m_host;
};

}  // namespace tovel
