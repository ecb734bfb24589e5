#pragma once
// The printer through the spooler: the print dialog, the chosen printer and its settings (kept for the
// run), and jobs drawn in the user-interface font. While a job is spooled the abort procedure runs the
// program's message loop, so the window keeps painting and taking commands.
#include <windows.h>

#include <functional>

#include "platform/printer.h"
#include "platform/win32/scoped_win.h"

namespace tovel {

class Win32Printer : public IPrinter {
public:
    // `owner` owns the print dialog; `pump` handles one message the way the program's loop does; `modal`
    // runs the print dialog the way the program runs its boxes (its other windows take no input meanwhile).
    Win32Printer(std::function<HWND()> owner, std::function<void(MSG&)> pump,
                 std::function<void(const std::function<void()>&)> modal = {});
    ~Win32Printer() override;
    Win32Printer(const Win32Printer&) = delete;
    Win32Printer& operator=(const Win32Printer&) = delete;

    bool Printing() const override { return m_printing; }
    bool ChoosePrinter() override;
    std::unique_ptr<IPrintJob> StartJob() override;

private:
    friend class Win32PrintJob;
    static BOOL CALLBACK AbortProc(HDC dc, int error);

    std::function<HWND()> m_owner;
    std::function<void(MSG&)> m_pump;
    std::function<void(const std::function<void()>&)> m_modal;
    HGLOBAL m_devMode = nullptr;  // the selection; null: the system's default printer
    HGLOBAL m_devNames = nullptr;
    bool m_printing = false;
};

}  // namespace tovel
