#pragma once
// UTF-8 byte walking for text held as UTF-8. A byte that starts no complete, well-formed character (a
// stray continuation byte, a cut or overlong sequence, a surrogate) counts as one character on its own,
// as the editing component counts it, so that every position these give is one the component accepts.
#include <cstddef>
#include <string_view>

namespace tovel {

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

// Whether the whole text is well-formed UTF-8.
bool ValidUtf8(std::string_view text);

// Offset just past the character that starts at pos.
std::size_t NextUtf8CharPos(std::string_view text, std::size_t pos);

// How many leading bytes of typed or pasted UTF-8 text fit into `room` bytes: whole characters only, and a
// CR LF is never split into a lone CR.
std::size_t Utf8PasteFits(std::string_view text, std::size_t room);

}  // namespace tovel
