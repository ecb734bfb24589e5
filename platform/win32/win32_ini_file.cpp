#include "platform/win32/win32_ini_file.h"

#include <windows.h>

#include <cstring>

#include "platform/error.h"

namespace tovel {

std::string Win32IniFile::ReadText(const std::string& section, const std::string& key, const std::string& fallback) {
    char buf[2048];
    const DWORD n =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buf, sizeof buf, m_path.c_str());
    // A value cut inside a double-byte character can be reported one byte longer than it is, ending in
    // the terminating NUL; the value ends at the first NUL.
    return std::string(buf, strnlen(buf, n));
}

void Win32IniFile::WriteText(const std::string& section, const std::string& key, const std::string& value) {
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), m_path.c_str())) {
        throw Error(FormatText("%s に書き込めません", m_path));
    }
}

}  // namespace tovel
