#pragma once
#include <windows.h>

#include <functional>

namespace tovel {

// The program's one message loop. `preview` sees every message first; returning true consumes it (the
// shortcut lookup runs there, before the focused control gets the key). Returns the exit code.
int RunMessageLoop(const std::function<bool(MSG&)>& preview);

}  // namespace tovel
