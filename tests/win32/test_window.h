#pragma once
// Plain windows for tests that need a real parent: a message pump and a visible top-level window of a
// DefWindowProcA class, destroyed with the object.
#include <windows.h>

#include <string>

namespace tovel::test {

// A window's ANSI text (a caption, a label).
inline std::string WindowCaption(HWND hwnd) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Dispatches everything queued for this thread, so creation, paints and focus changes settle.
inline void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN top-level window at (0, 0) of the given outer size, shown
// without taking activation. Handle() is null when the window could not be created.
class TestParentWindow {
public:
    TestParentWindow(const char* title, int width, int height) {
        if (!RegisterOnce()) return;
        m_hwnd = CreateWindowExA(0, kClassName, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, width, height,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (m_hwnd) ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    }
    TestParentWindow(const TestParentWindow&) = delete;
    TestParentWindow& operator=(const TestParentWindow&) = delete;
    ~TestParentWindow() { Destroy(); }

    HWND Handle() const { return m_hwnd; }
    // Destroys the window and its children now, for tests that drain the queue afterwards.
    void Destroy() {
        if (m_hwnd) DestroyWindow(m_hwnd);
        m_hwnd = nullptr;
    }

private:
    static constexpr const char* kClassName = "TovelTestParent";

    static bool RegisterOnce() {
        static const ATOM atom = [] {
            WNDCLASSEXA wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = kClassName;
            return RegisterClassExA(&wc);
        }();
        return atom != 0;
    }

    HWND m_hwnd = nullptr;
};

}  // namespace tovel::test
