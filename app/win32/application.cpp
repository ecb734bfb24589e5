#include "app/win32/application.h"

#include <new>

#include "platform/error.h"
#include "platform/error_text.h"
#include "platform/progress.h"
#include "platform/win32/ui_helpers.h"

namespace tovel {
namespace {

constexpr char kClassName[] = "TovelApplication";

}  // namespace

Application::Application(HINSTANCE instance) : m_instance(instance) {
    Window::RegisterClassOnce(instance, kClassName, LoadIconA(instance, "MAINICON"), nullptr);
    // A zero-size window in the screen's centre: it is the taskbar button and the owner of every other window.
    const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    m_window.Create(kClassName, "", WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, x, y, 0,
                    0, nullptr, nullptr);
}

std::string Application::Title() const { return WindowText(Handle(), 255); }

void Application::SetTitle(const std::string& title) { SetWindowTextA(Handle(), title.c_str()); }

void Application::Minimize() {
    if (m_main) {
        // Hiding a window leaves the boxes it owns on the screen: they go with it, and only the ones
        // that were shown come back at the restore.
        ShowOwnedPopups(m_main, FALSE);
        ShowWindow(m_main, SW_HIDE);
    }
    ShowWindow(Handle(), SW_MINIMIZE);
}

void Application::ShowError(const std::string& message) {
    if (HWND capture = GetCapture()) SendMessageA(capture, WM_CANCELMODE, 0, 0);
    const std::string text = WithFinalPeriod(message);
    const std::string caption = Title();
    ModalScope modal(this);
    MessageBoxA(Handle(), text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}

void Application::ReportCurrentException() noexcept {
    try {
        throw;
    } catch (const Cancelled&) {
        // The user stopped the operation: nothing to report.
    } catch (const std::bad_alloc&) {
        ShowError("メモリが足りません");
    } catch (const std::exception& e) {
        ShowError(e.what());
    } catch (...) {
        ShowError("予期しないエラーが発生しました");
    }
}

LRESULT Application::OnWindowMessage(UINT msg, WPARAM wp, LPARAM lp) {
    HWND hwnd = Handle();
    if (HWND main = m_main) {
        switch (msg) {
            case WM_SYSCOMMAND:
                if ((wp & 0xFFF0) == SC_RESTORE) {
                    ShowWindow(hwnd, SW_RESTORE);
                    ShowWindow(main, SW_SHOW);
                    ShowOwnedPopups(main, TRUE);
                    SetForegroundWindow(main);
                    return 0;
                }
                if ((wp & 0xFFF0) == SC_MINIMIZE) {
                    Minimize();  // the main window's own boxes go with it, as from the main window
                    return 0;
                }
                if ((wp & 0xFFF0) == SC_CLOSE) {
                    PostMessageA(main, WM_CLOSE, 0, 0);
                    return 0;
                }
                break;
            case WM_ACTIVATE:
                // Clicking the taskbar button activates this window; the user means the main window.
                if (LOWORD(wp) != WA_INACTIVE && IsWindowVisible(main) && IsWindowEnabled(main)) {
                    SetActiveWindow(main);
                    return 0;
                }
                break;
        }
    }
    return m_window.DefaultMessage(msg, wp, lp);
}

}  // namespace tovel
