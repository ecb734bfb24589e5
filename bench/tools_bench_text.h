#pragma once
// The text the replace and delete benchmarks work on, so host and Win32 numbers compare: about 10 MB of
// Shift-JIS lines holding the search string exactly kToolMatches times, among other double-byte text.
#include <cstddef>
#include <string>

namespace tovel::bench {

inline constexpr std::size_t kToolMatches = 1'000'000;
inline constexpr char kToolSearch[] = "対象";
inline constexpr char kToolReplacement[] = "目的";

// Lines of eight "対象です。" (10 bytes each) ended by CR LF: 125,000 lines, 10.25 MB.
inline std::string MakeToolsText() {
    const std::string unit = std::string(kToolSearch) + "です。";
    std::string line;
    for (int i = 0; i < 8; ++i) line += unit;
    line += "\r\n";
    std::string text;
    text.reserve(line.size() * (kToolMatches / 8));
    for (std::size_t i = 0; i < kToolMatches / 8; ++i) text += line;
    return text;
}

}  // namespace tovel::bench
