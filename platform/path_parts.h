#pragma once
// Parts of Windows paths held as ANSI bytes; separators inside double-byte characters are skipped.
#include <string>
#include <string_view>

#include "platform/sjis.h"

namespace tovel {

// The path up to and including its last "\" or ":" (the folder with its trailing separator); "" if none.
std::string FolderPart(std::string_view path, const LeadByteTable& leadBytes = LeadByteTable::ShiftJis());

// The path after its last "\" or ":".
std::string NamePart(std::string_view path, const LeadByteTable& leadBytes = LeadByteTable::ShiftJis());

// True when both paths are one name to Windows: the case of ASCII letters does not count (never that of
// the trail byte of a double-byte character), and "/" is "\".
bool SamePath(std::string_view a, std::string_view b, const LeadByteTable& leadBytes = LeadByteTable::ShiftJis());

}  // namespace tovel
