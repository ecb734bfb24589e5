#include "platform/win32/module_path.h"

#include <windows.h>

#include "platform/path_parts.h"
#include "platform/win32/system_code_page.h"

namespace tovel {

std::string AppPath() {
    char buf[261] = {};
    const DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    return FolderPart(std::string_view(buf, n < sizeof buf ? n : sizeof buf - 1), SystemLeadBytes());
}

}  // namespace tovel
