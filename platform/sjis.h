#pragma once
// Shift-JIS (code page 932) byte walking. Every caller that steps through text by characters uses these,
// so that a trail byte such as 0x5C ("\") inside a double-byte character is never taken for itself.
#include <cstddef>
#include <string_view>

namespace tovel {

// True for a byte that starts a double-byte character in code page 932.
constexpr bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
// True for a byte that can end one. CR and LF never can: they are always line breaks.
constexpr bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Offset just past the character that starts at pos. A lead byte takes the next byte with it only when
// that byte can be a trail byte; otherwise (and at the very end) it counts alone, as the editor counts it.
inline std::size_t NextCharPos(std::string_view text, std::size_t pos) {
    if (pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos])) &&
        IsTrailByte(static_cast<unsigned char>(text[pos + 1]))) {
        return pos + 2;
    }
    return pos + 1;
}

// Which bytes start and can end a double-byte character in one ANSI code page. Path handling uses the
// table of the system's code page, so that a name like "C:\Café\" is split right where "é" is a plain
// letter, and "C:\表\" where 表 ends in the byte of "\".
class LeadByteTable {
public:
    // Code page 932, the program's own; host tests and pure code use it by default.
    static const LeadByteTable& ShiftJis();
    // A code page without double-byte characters.
    static const LeadByteTable& SingleByte();
    LeadByteTable(const bool (&lead)[256], const bool (&trail)[256]);

    bool IsLead(unsigned char c) const { return m_lead[c]; }
    // Offset just past the character that starts at pos (see NextCharPos).
    std::size_t Next(std::string_view text, std::size_t pos) const {
        if (pos + 1 < text.size() && m_lead[static_cast<unsigned char>(text[pos])] &&
            m_trail[static_cast<unsigned char>(text[pos + 1])]) {
            return pos + 2;
        }
        return pos + 1;
    }

private:
    bool m_lead[256];
    bool m_trail[256];
};

// How many leading bytes of typed or pasted text fit into `room` bytes: whole characters only, and a CR LF
// is never split into a lone CR.
std::size_t PasteFits(std::string_view text, std::size_t room);

// Start of the last character of a non-empty text.
std::size_t LastCharStart(std::string_view text);

// Number of characters in the first `bytes` bytes (a character cut by the limit counts).
std::size_t CharCountOfBytes(std::string_view text, std::size_t bytes);

// Byte offset of the character with index `chars`; the text length when the text is shorter.
std::size_t ByteOffsetOfChars(std::string_view text, std::size_t chars);

}  // namespace tovel
