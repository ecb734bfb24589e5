#pragma once
// The one error type the program raises. Its text is ANSI (Shift-JIS) bytes shown by the error box.
#include <stdexcept>
#include <string>
#include <string_view>

namespace tovel {

class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Replaces the first "%s" of a message with an argument (the messages carry exactly one).
std::string FormatText(std::string_view pattern, std::string_view arg);

}  // namespace tovel
