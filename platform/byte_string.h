#pragma once
// Line-break rules for the ANSI byte strings the program holds.
#include <string>
#include <string_view>
#include <vector>

namespace tovel {

inline constexpr std::string_view kCrLf = "\r\n";

// Every CR LF stays; every lone CR and lone LF becomes CR LF. No other byte changes. CR and LF are
// breaks wherever they stand: neither can be the trail byte of a double-byte character, so a lead byte
// before one (a lone lead byte, or the middle of UTF-8 text) never takes it along.
std::string NormalizeLineBreaks(std::string_view text);

// Splits into lines at CR LF, lone CR or lone LF (LF CR is two breaks). A final break adds no empty
// line; an empty text gives no lines.
// The lines are views into the text.
std::vector<std::string_view> SplitLines(std::string_view text);

// Each line followed by CR LF, the last one included.
std::string JoinLines(const std::vector<std::string_view>& lines);

}  // namespace tovel
