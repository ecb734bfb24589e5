#pragma once
// What every fuzz target shares: the input as bytes, and a check that stops the run with a message.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace tovel::fuzz {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A property that does not hold is a finding: abort, so libFuzzer saves the input.
inline void Check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

// Where characters start in Shift-JIS text, worked out here from the byte ranges rather than through the
// walker under test: starts[i] for 0 <= i <= size (the end counts as a start). A lead byte (0x81-0x9F,
// 0xE0-0xFC) takes the next byte only when that byte can be a trail byte (0x40-0xFC but 0x7F).
inline std::vector<bool> CharStarts(std::string_view text) {
    auto lead = [](unsigned char c) { return (0x81 <= c && c <= 0x9F) || (0xE0 <= c && c <= 0xFC); };
    auto trail = [](unsigned char c) { return 0x40 <= c && c <= 0xFC && c != 0x7F; };
    std::vector<bool> starts(text.size() + 1, false);
    std::size_t i = 0;
    while (i < text.size()) {
        starts[i] = true;
        const bool pair = i + 1 < text.size() && lead(static_cast<unsigned char>(text[i])) &&
                          trail(static_cast<unsigned char>(text[i + 1]));
        i += pair ? 2 : 1;
    }
    starts[text.size()] = true;
    return starts;
}

// The input cut at `separator` into at most `parts` pieces; the last piece keeps any further separators.
inline std::vector<std::string_view> SplitInput(std::string_view in, char separator, std::size_t parts) {
    std::vector<std::string_view> out;
    while (out.size() + 1 < parts) {
        const std::size_t at = in.find(separator);
        if (at == std::string_view::npos) break;
        out.push_back(in.substr(0, at));
        in.remove_prefix(at + 1);
    }
    out.push_back(in);
    out.resize(parts);
    return out;
}

}  // namespace tovel::fuzz
