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

namespace tovel::bench {

// Appends numbered lines of about 80 bytes, Japanese and ASCII mixed, each ended by CR LF, until `text`
// holds at least `size` bytes; `line` counts on from call to call, so a big file is written in pieces.
inline void AppendJapaneseLines(std::string& text, std::size_t size, long long& line) {
    while (text.size() < size) {
        text += "テキストエディタの行 line ";
        text += std::to_string(line++);
        text += " 日本語の文章が続きます。The quick brown fox.\r\n";
    }
}

}  // namespace tovel::bench
