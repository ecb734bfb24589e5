#pragma once
// Where the program keeps the files it writes for itself (the settings file, the close's backup, the
// browser preview) when the folder it would use cannot be written, as when it is installed in a folder
// only an administrator may change. The caller answers whether a file exists and whether a folder can be
// written; each question is asked only when the answer matters, since asking may touch the disk.
#include <functional>
#include <string>

#include "platform/sjis.h"

namespace tovel {

using ExistsProbe = std::function<bool(const std::string& file)>;
using WritableProbe = std::function<bool(const std::string& folder)>;

// The program's own folder under a per-user system folder (`systemFolder` with or without its trailing
// "\"), with its trailing "\"; "" when the system folder is unknown (""). The path is read by
// characters: a double-byte character whose second byte is that of "\" (ソ, 表) is no separator.
std::string ProgramFolderUnder(const std::string& systemFolder,
                               const LeadByteTable& leadBytes = LeadByteTable::ShiftJis());

// The settings file `fileName`: the per-user one when it exists (made once because the program's folder
// could not be written, it stays the settings file from then on); otherwise the one in the program's
// folder while that folder can be written; otherwise the per-user one. With no per-user folder known
// (""), the one in the program's folder.
std::string SettingsFilePlace(const std::string& programFolder, const std::string& perUserFolder,
                              const std::string& fileName, const ExistsProbe& exists, const WritableProbe& writable);

// `fileName` in `folder` ("" the current folder, the name left relative) while that folder can be
// written; otherwise in `fallback`, when one is known.
std::string WritablePlace(const std::string& folder, const std::string& fallback, const std::string& fileName,
                          const WritableProbe& writable);

}  // namespace tovel
