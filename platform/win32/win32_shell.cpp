#include "platform/win32/win32_shell.h"

#include <shellapi.h>

#include <cstdint>

namespace tovel {
namespace {

// No parameters, no working folder: the shell works in the process's current folder.
bool Execute(HWND owner, const char* verb, const std::string& path) {
    const HINSTANCE result = ShellExecuteA(owner, verb, path.c_str(), "", "", SW_SHOW);
    // Only the low 32 bits carry the answer; 32 and below are the shell's error codes.
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(result)) > 32;
}

}  // namespace

bool Win32Shell::ShellOpen(const std::string& path) { return Execute(nullptr, "open", path); }

bool Win32Shell::OpenForWindow(const std::string& path) { return Execute(m_owner, "OPEN", path); }

bool Win32Shell::RunCommand(const std::string& commandLine) {
    const UINT result = WinExec(commandLine.c_str(), SW_SHOW);
    return static_cast<std::int32_t>(result) >= 32;
}

}  // namespace tovel
