#pragma once
// One window-procedure thunk for the program's window classes: `this` is stored at WM_NCCREATE and every
// message goes to OnMessage. An error escaping a handler is caught here and handed to the host, which
// shows it in the error box.
#include <windows.h>

namespace tovel {

// What a window needs from the program that owns it: the module its classes belong to, the window that
// owns the program's boxes, and the one place where an error escaping a message handler is reported.
class WindowHost {
public:
    virtual HINSTANCE Instance() const = 0;
    virtual HWND Owner() const = 0;
    virtual void ReportCurrentException() noexcept = 0;

protected:
    ~WindowHost() = default;
};

class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    HWND Handle() const { return m_hwnd; }
    WindowHost& Host() const { return m_host; }

protected:
    explicit WindowBase(WindowHost& host) : m_host(host) {}

    // Registers the class once (by name) with this thunk as its procedure.
    static void RegisterClassOnce(HINSTANCE instance, const char* className, HICON icon, HBRUSH background);
    // Creates the window; `this` receives its messages from WM_NCCREATE on.
    void Create(const char* className, const char* caption, DWORD style, DWORD exStyle, int x, int y, int w, int h,
                HWND owner, HMENU menu);

    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);

private:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    WindowHost& m_host;
    HWND m_hwnd = nullptr;
};

}  // namespace tovel
