#pragma once
#include <windows.h>

#include "platform/shell.h"

namespace tovel {

// ShellExecuteA (success above 32) and WinExec (success from 32), both SW_SHOW. `owner` is the window that
// OpenForWindow opens on behalf of (none for a shell made without one).
class Win32Shell : public IShell {
public:
    explicit Win32Shell(HWND owner = nullptr) : m_owner(owner) {}
    bool ShellOpen(const std::string& path) override;
    bool OpenForWindow(const std::string& path) override;
    bool RunCommand(const std::string& commandLine) override;

private:
    HWND m_owner;
};

}  // namespace tovel
