#pragma once
// What the About box asks the system: its version record and the login name.
#include <string>

#include "AboutBox/system_info_rules.h"

namespace tovel {

// GetVersionExA's record, with the numbers of the system's real version (RtlGetVersion) where the
// compatibility layer caps them. All zero when neither answers.
OsVersionRecord ReadOsVersion();

// The whole login name through GetUserNameA, or kUnknownUserName.
std::string ReadLoginName();

}  // namespace tovel
