#include "platform/file_places.h"

namespace tovel {

std::string ProgramFolderUnder(const std::string& systemFolder, const LeadByteTable& leadBytes) {
    if (systemFolder.empty()) return {};
    std::size_t last = 0;
    for (std::size_t pos = 0; pos < systemFolder.size(); pos = leadBytes.Next(systemFolder, pos)) last = pos;
    const bool hasSeparator = last == systemFolder.size() - 1 && systemFolder[last] == '\\';
    return systemFolder + (hasSeparator ? "" : "\\") + "tovel\\";
}

std::string SettingsFilePlace(const std::string& programFolder, const std::string& perUserFolder,
                              const std::string& fileName, const ExistsProbe& exists, const WritableProbe& writable) {
    const std::string besideProgram = programFolder + fileName;
    if (perUserFolder.empty()) return besideProgram;
    const std::string perUser = perUserFolder + fileName;
    if (exists(perUser)) return perUser;
    return writable(programFolder) ? besideProgram : perUser;
}

std::string WritablePlace(const std::string& folder, const std::string& fallback, const std::string& fileName,
                          const WritableProbe& writable) {
    if (fallback.empty() || writable(folder)) return folder + fileName;
    return fallback + fileName;
}

}  // namespace tovel
