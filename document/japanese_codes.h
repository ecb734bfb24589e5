#pragma once
// The byte arithmetic shared by the text formats: a JIS X 0208 character (row and cell bytes 0x21-0x7E)
// and its two Shift-JIS bytes, and the length of a UTF-8 sequence.
#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>

namespace tovel::codes {

constexpr bool IsJisByte(unsigned char c) { return c >= 0x21 && c <= 0x7E; }
constexpr bool IsHalfWidthKana(unsigned char c) { return c >= 0xA1 && c <= 0xDF; }

// Shift-JIS bytes of the JIS X 0208 character j1 j2 (both 0x21-0x7E).
constexpr std::pair<unsigned char, unsigned char> JisToSjis(unsigned char j1, unsigned char j2) {
    const int lead = ((j1 + 1) >> 1) + (j1 <= 0x5E ? 0x70 : 0xB0);
    const int trail = (j1 & 1) ? j2 + (j2 >= 0x60 ? 0x20 : 0x1F) : j2 + 0x7E;
    return {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
}

// The JIS X 0208 character of a Shift-JIS pair, or none when the pair lies outside JIS X 0208's 94 rows
// (lead bytes 0xF0-0xFC: user-defined characters and the IBM extensions; a trail byte that cannot end a
// pair).
constexpr std::optional<std::pair<unsigned char, unsigned char>> SjisToJis(unsigned char s1, unsigned char s2) {
    const bool lead = (s1 >= 0x81 && s1 <= 0x9F) || (s1 >= 0xE0 && s1 <= 0xEF);
    if (!lead || s2 < 0x40 || s2 > 0xFC || s2 == 0x7F) return std::nullopt;
    int j1 = (s1 - (s1 <= 0x9F ? 0x70 : 0xB0)) * 2 - 1;
    int j2 = 0;
    if (s2 >= 0x9F) {
        ++j1;
        j2 = s2 - 0x7E;
    } else {
        j2 = s2 - (s2 >= 0x80 ? 0x20 : 0x1F);
    }
    return std::pair{static_cast<unsigned char>(j1), static_cast<unsigned char>(j2)};
}

// Length of the valid UTF-8 sequence at pos: 1 for ASCII, 2-4 for a multi-byte character (no overlong
// forms, no surrogates, nothing above U+10FFFF), 0 when the bytes there are not valid UTF-8. `truncated`
// is set when the sequence was valid so far but the text ends inside it.
inline std::size_t Utf8Length(std::string_view text, std::size_t pos, bool* truncated = nullptr) {
    if (truncated) *truncated = false;
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char c = at(pos);
    if (c < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0) low = 0xA0;
        if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0) low = 0x90;
        if (c == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (pos + i >= text.size()) {
            if (truncated) *truncated = true;
            return 0;
        }
        const unsigned char b = at(pos + i);
        if (i == 1 ? (b < low || b > high) : (b < 0x80 || b > 0xBF)) return 0;
    }
    return length;
}

// The code point of a valid UTF-8 sequence of the given length at pos.
inline char32_t Utf8CodePoint(std::string_view text, std::size_t pos, std::size_t length) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if (length == 1) return at(pos);
    char32_t cp = at(pos) & (0xFF >> (length + 1));
    for (std::size_t i = 1; i < length; ++i) cp = (cp << 6) | (at(pos + i) & 0x3F);
    return cp;
}

}  // namespace tovel::codes
