#pragma once
// The text the load, save and line-break benchmarks work on, so host and Win32 numbers compare.
#include <cstddef>
#include <string>

namespace tovel::bench {

// At least `size` bytes of numbered lines mixing double-byte and ASCII bytes, ended by CR LF, LF and CR
// in turn.
inline std::string MakeMixedBreaksText(std::size_t size) {
    const char* breaks[] = {"\r\n", "\n", "\r"};
    std::string text;
    text.reserve(size + 128);
    for (int i = 0; text.size() < size; ++i) {
        text += "テキストエディタの行 line ";
        text += std::to_string(i);
        text += breaks[i % 3];
    }
    return text;
}

}  // namespace tovel::bench
