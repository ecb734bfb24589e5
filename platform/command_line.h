#pragma once
// Splits a process command line into its arguments the way the program has always read them.
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

// The arguments after the program name. Blanks and control characters separate; double quotes group
// (blanks included) and are removed; the list ends at the first empty argument (such as "").
std::vector<std::string> CommandLineArguments(std::string_view commandLine);

}  // namespace tovel
