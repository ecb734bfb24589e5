#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdint>

namespace tovel {

bool Win32Shell::ShellOpen(const std::string& path) {
    // No owner, no parameters, no working folder: the shell works in the process's current folder.
    const HINSTANCE result = ShellExecuteA(nullptr, "open", path.c_str(), "", "", SW_SHOW);
    // Only the low 32 bits carry the answer; 32 and below are the shell's error codes.
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(result)) > 32;
}

bool Win32Shell::RunCommand(const std::string& commandLine) {
    const UINT result = WinExec(commandLine.c_str(), SW_SHOW);
    return static_cast<std::int32_t>(result) >= 32;
}

}  // namespace tovel
