#pragma once
// The progress of a long operation in a small window with a bar and a cancel button. The window comes up
// only once the operation has run for half a second; while it shows, the program is modal to it, and
// only its own messages, paints and timers are handled: keys typed into the editor meanwhile stay
// queued for after the operation, so the text cannot change under it.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/progress.h"
#include "platform/win32/modal_scope.h"
#include "platform/win32/scoped_win.h"

namespace tovel {

class Win32Progress : public IProgress {
public:
    explicit Win32Progress(const DialogHost& host, std::uint64_t showAfterMs = 500)
        : m_host(host), m_showAfterMs(showAfterMs) {}
    ~Win32Progress() override;
    Win32Progress(const Win32Progress&) = delete;
    Win32Progress& operator=(const Win32Progress&) = delete;

    void Start(std::string_view caption) override;
    void Step(std::uint64_t done, std::uint64_t total) override;
    void Finish() override;

    // How long an operation runs before the window comes up.
    void SetShowAfter(std::uint64_t ms) { m_showAfterMs = ms; }
    // The window while it shows, else null.
    HWND Window() const { return m_window; }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp);
    void Show();
    void Close();
    void Pump();

    const DialogHost& m_host;
    std::uint64_t m_showAfterMs;
    int m_depth = 0;
    std::string m_caption;
    std::uint64_t m_started = 0;
    std::uint64_t m_lastPump = 0;
    bool m_cancelled = false;
    bool m_unseen = false;  // the window could not be made for this operation
    // The program is modal to the window from before it is made until after it is gone.
    std::unique_ptr<ModalScope> m_modal;
    ScopedFont m_font;
    ScopedOwner<HWND, &DestroyWindow> m_owned;
    HWND m_window = nullptr;
    HWND m_bar = nullptr;
};

}  // namespace tovel
