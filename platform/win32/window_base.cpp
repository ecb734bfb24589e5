#include "platform/win32/window_base.h"

#include <commctrl.h>

#include <exception>

#include "platform/win32/dialog_window.h"

namespace tovel {
namespace {

constexpr UINT_PTR kSubclassId = 1;

}  // namespace

WindowBase::~WindowBase() {
    if (!m_hwnd || !IsWindow(m_hwnd)) return;
    if (m_attached) {
        RemoveWindowSubclass(m_hwnd, SubclassThunk, kSubclassId);
        return;
    }
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
    DestroyWindow(m_hwnd);
}

WindowBase* WindowBase::FromHandle(HWND hwnd) {
    if (!hwnd) return nullptr;
    if (GetClassLongPtrA(hwnd, GCLP_WNDPROC) != reinterpret_cast<ULONG_PTR>(&Thunk)) return nullptr;
    return reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

HINSTANCE WindowBase::InstanceOf(HWND hwnd) {
    return hwnd ? reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE)) : GetModuleHandleA(nullptr);
}

bool WindowBase::RegisterClassOnce(HINSTANCE instance, const char* className, const WindowClassLook& look) {
    WNDCLASSEXA existing{sizeof existing};
    if (GetClassInfoExA(instance, className, &existing)) return true;
    WNDCLASSEXA wc{sizeof wc};
    wc.style = look.style;
    wc.lpfnWndProc = Thunk;
    wc.hInstance = instance;
    wc.hIcon = look.icon;
    wc.hCursor = LoadCursorA(nullptr, look.cursor);
    wc.hbrBackground = look.background;
    wc.lpszClassName = className;
    return RegisterClassExA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void WindowBase::FindHost(HWND above) {
    for (HWND w = above; w && !m_host; w = GetParent(w)) {
        if (WindowBase* window = FromHandle(w)) m_host = window->m_host;
    }
}

void WindowBase::Create(const char* className, const char* caption, DWORD style, DWORD exStyle, int x, int y, int w,
                        int h, HWND owner, HMENU menu) {
    const HINSTANCE instance = m_host ? m_host->Instance() : InstanceOf(owner);
    FindHost(owner);
    CreateWindowExA(exStyle, className, caption, style, x, y, w, h, owner, menu, instance, this);
}

void WindowBase::Attach(HWND control) {
    FindHost(GetParent(control));
    if (!SetWindowSubclass(control, SubclassThunk, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return;
    m_hwnd = control;
    m_attached = true;
}

LRESULT WindowBase::OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return DefaultMessage(msg, wp, lp); }

LRESULT WindowBase::DefaultMessage(UINT msg, WPARAM wp, LPARAM lp) {
    return m_attached ? DefSubclassProc(m_hwnd, msg, wp, lp) : DefWindowProcA(m_hwnd, msg, wp, lp);
}

LRESULT WindowBase::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    try {
        return OnMessage(msg, wp, lp);
    } catch (...) {
        // No window of the program is above this one (a control made under a foreign window, as in the
        // tests): the error goes on to whoever sent the message.
        if (!m_host) throw;
        m_host->ReportCurrentException();
        return 0;
    }
}

LRESULT CALLBACK WindowBase::Thunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    const LRESULT result = self->Dispatch(msg, wp, lp);
    if (msg == WM_NCDESTROY) self->m_hwnd = nullptr;
    return result;
}

LRESULT CALLBACK WindowBase::SubclassThunk(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<WindowBase*>(ref);
    if (msg == WM_NCDESTROY) {  // the control goes: stop routing to this object
        RemoveWindowSubclass(hwnd, SubclassThunk, kSubclassId);
        const LRESULT result = self->Dispatch(msg, wp, lp);
        self->m_hwnd = nullptr;
        self->m_attached = false;
        return result;
    }
    return self->Dispatch(msg, wp, lp);
}

DialogBase* DialogBase::FromHandle(HWND hwnd) {
    if (!hwnd || reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hwnd, DWLP_DLGPROC)) != &Thunk) return nullptr;
    return reinterpret_cast<DialogBase*>(GetWindowLongPtrA(hwnd, DWLP_USER));
}

INT_PTR DialogBase::RunModal(HWND owner) {
    return dialogs::RunModalDialog(owner, &Thunk, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogBase::Thunk(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<DialogBase*>(lp);
        self->m_hwnd = dlg;
        SetWindowLongPtrA(dlg, DWLP_USER, lp);
    }
    auto* self = reinterpret_cast<DialogBase*>(GetWindowLongPtrA(dlg, DWLP_USER));
    if (!self) return FALSE;
    const INT_PTR result = self->OnDialogMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(dlg, DWLP_USER, 0);
        self->m_hwnd = nullptr;
    }
    return result;
}

bool DialogBase::EndOnOkCancel(UINT msg, WPARAM wp, const std::function<void()>& accept) {
    if (msg == WM_COMMAND && LOWORD(wp) == IDOK) {
        accept();
        EndDialog(m_hwnd, IDOK);
        return true;
    }
    if ((msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) || msg == WM_CLOSE) {
        EndDialog(m_hwnd, IDCANCEL);
        return true;
    }
    return false;
}

}  // namespace tovel
