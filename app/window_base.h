#pragma once
// One window-procedure thunk for the program's window classes: `this` is stored at WM_NCCREATE and every
// message goes to OnMessage. An error escaping a handler is caught here and shown in the error box.
#include <windows.h>

#include "app/application.h"

namespace tovel {

class WindowBase {
public:
    WindowBase(const WindowBase&) = delete;
    WindowBase& operator=(const WindowBase&) = delete;
    virtual ~WindowBase();

    HWND Handle() const { return m_hwnd; }
    Application& App() const { return m_app; }

protected:
    explicit WindowBase(Application& app) : m_app(app) {}

    // Registers the class once (by name) with this thunk as its procedure.
    static void RegisterClassOnce(HINSTANCE instance, const char* className, HICON icon, HBRUSH background);
    // Creates the window; `this` receives its messages from WM_NCCREATE on.
    void Create(const char* className, const char* caption, DWORD style, DWORD exStyle, int x, int y, int w, int h,
                HWND owner, HMENU menu);

    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);

private:
    static LRESULT CALLBACK Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

    Application& m_app;
    HWND m_hwnd = nullptr;
};

}  // namespace tovel
