#pragma once
// The settings file through GetPrivateProfileStringA / WritePrivateProfileStringA with its full path.
#include "platform/ini_file.h"

namespace tovel {

class Win32IniFile : public IIniFile {
public:
    explicit Win32IniFile(std::string path) : m_path(std::move(path)) {}
    std::string ReadText(const std::string& section, const std::string& key, const std::string& fallback) override;
    void WriteText(const std::string& section, const std::string& key, const std::string& value) override;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace tovel
