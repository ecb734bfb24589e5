#include "platform/win32/window_base.h"

namespace tovel {

WindowBase::~WindowBase() {
    if (m_hwnd && IsWindow(m_hwnd)) {
        SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
}

void WindowBase::RegisterClassOnce(HINSTANCE instance, const char* className, HICON icon, HBRUSH background) {
    WNDCLASSEXA existing{sizeof existing};
    if (GetClassInfoExA(instance, className, &existing)) return;
    WNDCLASSEXA wc{sizeof wc};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Thunk;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
}

void WindowBase::Create(const char* className, const char* caption, DWORD style, DWORD exStyle, int x, int y, int w,
                        int h, HWND owner, HMENU menu) {
    CreateWindowExA(exStyle, className, caption, style, x, y, w, h, owner, menu, m_host.Instance(), this);
}

LRESULT WindowBase::OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcA(m_hwnd, msg, wp, lp); }

LRESULT CALLBACK WindowBase::Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    try {
        LRESULT result = self->OnMessage(msg, wp, lp);
        if (msg == WM_NCDESTROY) self->m_hwnd = nullptr;
        return result;
    } catch (...) {
        self->m_host.ReportCurrentException();
        return 0;
    }
}

}  // namespace tovel
