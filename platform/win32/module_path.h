#pragma once
#include <string>

namespace tovel {

// The running executable's folder with its trailing "\" (GetModuleFileNameA into 261 bytes); "" if the
// path has no separator.
std::string AppPath();

}  // namespace tovel
