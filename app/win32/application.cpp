#include "app/win32/application.h"

#include <new>

#include "platform/error.h"
#include "platform/error_text.h"
#include "platform/win32/win32_desktop_window.h"

namespace tovel {
namespace {

constexpr char kClassName[] = "TovelApplication";

}  // namespace

Application::Application(HINSTANCE instance) : m_instance(instance) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "MAINICON");
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
    // A zero-size window in the screen's centre: it is the taskbar button and the owner of every other window.
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    m_window.Reset(CreateWindowExA(0, kClassName, "",
                                   WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                                   nullptr, nullptr, instance, nullptr));
    SetWindowLongPtrA(m_window.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

std::string Application::Title() const {
    char buf[256] = {};
    int n = GetWindowTextA(m_window.Get(), buf, sizeof buf);
    return std::string(buf, n > 0 ? n : 0);
}

void Application::SetTitle(const std::string& title) { SetWindowTextA(m_window.Get(), title.c_str()); }

void Application::Minimize() {
    if (m_main) ShowWindow(m_main, SW_HIDE);
    ShowWindow(m_window.Get(), SW_MINIMIZE);
}

void Application::ShowError(const std::string& message) {
    if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
    const std::string text = WithFinalPeriod(message);
    const std::string caption = Title();
    ModalScope modal(this);
    MessageBoxA(m_window.Get(), text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

void Application::ReportCurrentException() noexcept {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        ShowError("メモリが足りません");
    } catch (const std::exception& e) {
        ShowError(e.what());
    } catch (...) {
        ShowError("予期しないエラーが発生しました");
    }
}

LRESULT CALLBACK Application::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* app = reinterpret_cast<Application*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (app && app->m_main) {
        switch (msg) {
            case WM_SYSCOMMAND:
                if ((wp & 0xFFF0) == SC_RESTORE) {
                    ShowWindow(hwnd, SW_RESTORE);
                    ShowWindow(app->m_main, SW_SHOW);
                    SetForegroundWindow(app->m_main);
                    return 0;
                }
                if ((wp & 0xFFF0) == SC_CLOSE) {
                    PostMessageA(app->m_main, WM_CLOSE, 0, 0);
                    return 0;
                }
                break;
            case WM_ACTIVATE:
                // Clicking the taskbar button activates this window; the user means the main window.
                if (LOWORD(wp) != WA_INACTIVE && IsWindowVisible(app->m_main) && IsWindowEnabled(app->m_main)) {
                    SetActiveWindow(app->m_main);
                    return 0;
                }
                break;
        }
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

namespace {

constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

}  // namespace

ModalScope::ModalScope(const Application* app) : m_active(GetActiveWindow()), m_focus(GetFocus()) {
    ++s_open;
    EnumThreadWindows(GetCurrentThreadId(), Collect, reinterpret_cast<LPARAM>(this));
    HWND main = app ? app->MainWindow() : nullptr;
    if (main && IsWindow(main) && (GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
        LeaveTopmostBand(main, kKeepPlace);
        m_lowered = main;
    }
}

BOOL CALLBACK ModalScope::Collect(HWND hwnd, LPARAM param) {
    auto* self = reinterpret_cast<ModalScope*>(param);
    if (self->m_count < 16 && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) &&
        !(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) {
        EnableWindow(hwnd, FALSE);
        self->m_disabled[self->m_count++] = hwnd;
    }
    return TRUE;
}

ModalScope::~ModalScope() {
    --s_open;
    for (int i = m_count - 1; i >= 0; --i) {
        if (IsWindow(m_disabled[i])) EnableWindow(m_disabled[i], TRUE);
    }
    if (m_lowered && IsWindow(m_lowered)) SetWindowPos(m_lowered, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
    if (m_active && IsWindow(m_active)) SetActiveWindow(m_active);
    if (m_focus && IsWindow(m_focus)) SetFocus(m_focus);
}

}  // namespace tovel
