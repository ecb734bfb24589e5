#pragma once
// What the shell hands a drop target: a DROPFILES block followed by the NUL-separated paths.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace tovel::test {

// A drop handle for WM_DROPFILES; the receiver frees it with DragFinish.
inline HGLOBAL MakeDrop(const std::vector<std::string>& paths) {
    std::string list;
    for (const auto& p : paths) list += p + '\0';
    list += '\0';
    HGLOBAL mem = GlobalAlloc(GHND, sizeof(DROPFILES) + list.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(mem));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), list.data(), list.size());
    GlobalUnlock(mem);
    return mem;
}

}  // namespace tovel::test
