#pragma once
// The program's folders under the user's profile, and making a folder with its parents.
#include <string>

namespace tovel {

// The program's folder under the per-user folder an environment variable names ("APPDATA" for what
// follows the user from machine to machine, "LOCALAPPDATA" for what stays on this one), with its
// trailing "\"; "" when the variable is not set.
std::string PerUserFolder(const char* variable);

// Creates the folder and its parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder);

}  // namespace tovel
