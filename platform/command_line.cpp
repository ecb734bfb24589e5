#include "platform/command_line.h"

namespace tovel {
namespace {

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Reads one argument starting at pos; returns false when the line has no more.
bool NextArgument(std::string_view line, std::size_t& pos, std::string& arg) {
    while (pos < line.size() && IsSeparator(line[pos])) ++pos;
    if (pos >= line.size()) return false;
    arg.clear();
    bool quoted = false;
    while (pos < line.size() && (quoted || !IsSeparator(line[pos]))) {
        if (line[pos] == '"') {
            quoted = !quoted;
        } else {
            arg += line[pos];
        }
        ++pos;
    }
    return true;
}

}  // namespace

std::vector<std::string> CommandLineArguments(std::string_view commandLine) {
    std::vector<std::string> args;
    std::size_t pos = 0;
    std::string arg;
    if (!NextArgument(commandLine, pos, arg)) return args;  // the program name
    while (NextArgument(commandLine, pos, arg)) {
        if (arg.empty()) break;
        args.push_back(arg);
    }
    return args;
}

}  // namespace tovel
