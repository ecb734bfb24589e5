#pragma once
#include "platform/shell.h"

namespace tovel {

// ShellExecuteA with the "open" verb (success above 32) and WinExec (success from 32), both SW_SHOW.
class Win32Shell : public IShell {
public:
    bool ShellOpen(const std::string& path) override;
    bool RunCommand(const std::string& commandLine) override;
};

}  // namespace tovel
