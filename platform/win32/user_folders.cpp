#include "platform/win32/user_folders.h"

#include <windows.h>

#include "platform/file_places.h"
#include "platform/win32/system_code_page.h"

namespace tovel {

std::string PerUserFolder(const char* variable) {
    char buf[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA(variable, buf, sizeof buf);
    if (n == 0 || n >= sizeof buf) return {};
    return ProgramFolderUnder(std::string(buf, n), SystemLeadBytes());
}

bool MakeFolders(const std::string& folder) {
    // The path is walked by characters, so a double-byte character ending in the byte of "\" (ソ, 表) never
    // cuts it.
    const LeadByteTable& leadBytes = SystemLeadBytes();
    for (std::size_t pos = 0; pos < folder.size(); pos = leadBytes.Next(folder, pos)) {
        // Past the root: "C:\" and the "\\" of a share are no folders to create.
        if (folder[pos] == '\\' && pos > 2) CreateDirectoryA(folder.substr(0, pos).c_str(), nullptr);
    }
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace tovel
