#pragma once
// The byte arithmetic shared by the text formats: a JIS X 0208 character (row and cell bytes 0x21-0x7E)
// and its two Shift-JIS bytes, and the length of a UTF-8 sequence.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/utf8_steps.h"

namespace tovel::codes {

// The escapes of ISO-2022-JP that switch between its character sets.
inline constexpr std::string_view kKanjiIn = "\x1B$B";
inline constexpr std::string_view kKanjiOldIn = "\x1B$@";  // the 1978 set, read as the 1983 one
inline constexpr std::string_view kAsciiIn = "\x1B(B";
inline constexpr std::string_view kRomanIn = "\x1B(J";
inline constexpr std::string_view kKanaIn = "\x1B(I";

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

// Appends the UTF-8 bytes of a code point, composed first and appended at once: this runs for every
// character of a UTF-16 file.
inline void AppendUtf8(std::string& out, char32_t cp) {
    char bytes[4];
    std::size_t n = 0;
    if (cp < 0x80) {
        bytes[n++] = static_cast<char>(cp);
    } else if (cp < 0x800) {
        bytes[n++] = static_cast<char>(0xC0 | (cp >> 6));
        bytes[n++] = static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        bytes[n++] = static_cast<char>(0xE0 | (cp >> 12));
        bytes[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        bytes[n++] = static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        bytes[n++] = static_cast<char>(0xF0 | (cp >> 18));
        bytes[n++] = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        bytes[n++] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        bytes[n++] = static_cast<char>(0x80 | (cp & 0x3F));
    }
    out.append(bytes, n);
}

}  // namespace tovel::codes
