#pragma once
// A private-profile (INI) file. Contract: a missing file, section or key reads as the default; values are
// at most 2047 bytes; a write creates file and section as needed and raises "%s に書き込めません" (the
// file's full path) when it fails. Creating the accessor touches no file.
#include <string>

namespace tovel {

class IIniFile {
public:
    virtual ~IIniFile() = default;
    virtual std::string ReadText(const std::string& section, const std::string& key, const std::string& fallback) = 0;
    virtual void WriteText(const std::string& section, const std::string& key, const std::string& value) = 0;
};

}  // namespace tovel
