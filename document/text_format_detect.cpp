// Telling a file's format from its bytes (DetectFormat in text_format.h).
//
// EUC-JP and Shift-JIS share most of their byte ranges, so a text valid in both is read both ways and each
// reading scores the characters it gives: Japanese prose is mostly hiragana, katakana, punctuation and
// common kanji; the wrong reading of the same bytes turns into half-width kana, rare kanji and cells JIS X
// 0208 leaves empty. Shift-JIS wins a tie, being the default.
#include <optional>

#include "document/japanese_codes.h"
#include "document/text_format.h"

namespace tovel {
namespace {

unsigned char Byte(std::string_view text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

bool InAny(int cell, std::initializer_list<std::pair<int, int>> ranges) {
    for (const auto& [first, last] : ranges)
        if (cell >= first && cell <= last) return true;
    return false;
}

// Whether JIS X 0208 (with the rows code page 932 adds: NEC's row 13 and the IBM rows 89-92) has a
// character at row and cell, both counted from 1.
bool Assigned(int row, int cell) {
    switch (row) {
        case 1:
            return true;
        case 2:
            return InAny(cell, {{1, 14}, {26, 33}, {42, 48}, {60, 74}, {82, 89}, {94, 94}});
        case 3:
            return InAny(cell, {{16, 25}, {33, 58}, {65, 90}});
        case 4:
            return cell <= 83;
        case 5:
            return cell <= 86;
        case 6:
            return InAny(cell, {{1, 24}, {33, 56}});
        case 7:
            return InAny(cell, {{1, 33}, {49, 81}});
        case 8:
            return cell <= 32;
        case 13:
            return cell <= 92;
        case 47:
            return cell <= 51;
        case 84:
            return cell <= 6;
        default:
            return (row >= 16 && row <= 83) || (row >= 89 && row <= 92);
    }
}

// How typical of Japanese text the double-byte character at row and cell is.
int Weight(int row, int cell) {
    if (!Assigned(row, cell)) return -4;
    if (row == 4 || row == 5) return 3;                              // hiragana, katakana
    if (row == 1 || (row >= 16 && row <= 47)) return 2;              // punctuation, common kanji
    if (row == 2 || row == 3 || (row >= 48 && row <= 84)) return 1;  // symbols, letters, rarer kanji
    return 0;                                                        // Greek, Cyrillic, lines, NEC, IBM
}

// The score of the text read as EUC-JP, or none when it is not valid EUC-JP. A sequence cut by the end of
// the text is not held against it.
std::optional<long> EucJpScore(std::string_view bytes) {
    long score = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const unsigned char c = Byte(bytes, pos);
        if (c < 0x80) {
            ++pos;
            continue;
        }
        const std::size_t length = c == 0x8F ? 3 : 2;
        if (pos + length > bytes.size()) break;
        const unsigned char c2 = Byte(bytes, pos + 1);
        const auto high = [](unsigned char b) { return b >= 0xA1 && b <= 0xFE; };
        if (c == 0x8E && codes::IsHalfWidthKana(c2)) {
            score += 2;
        } else if (c == 0x8F && high(c2) && high(Byte(bytes, pos + 2))) {
            score -= 1;  // JIS X 0212: valid, but rare
        } else if (high(c) && high(c2)) {
            score += Weight(c - 0xA0, c2 - 0xA0);
        } else {
            return std::nullopt;
        }
        pos += length;
    }
    return score;
}

// The score of the text read as Shift-JIS (code page 932), or none when it is not valid there.
std::optional<long> ShiftJisScore(std::string_view bytes) {
    long score = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const unsigned char c = Byte(bytes, pos);
        if (c < 0x80) {
            ++pos;
            continue;
        }
        if (codes::IsHalfWidthKana(c)) {
            ++score;
            ++pos;
            continue;
        }
        const bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        if (!lead) return std::nullopt;
        if (pos + 1 >= bytes.size()) break;
        const unsigned char c2 = Byte(bytes, pos + 1);
        if (c2 < 0x40 || c2 > 0xFC || c2 == 0x7F) return std::nullopt;
        if (const auto jis = codes::SjisToJis(c, c2)) {
            score += Weight(jis->first - 0x20, jis->second - 0x20);
        } else if (c <= 0xF9) {
            score -= 3;  // user-defined characters
        }
        pos += 2;
    }
    return score;
}

// Valid UTF-8 holding at least one multi-byte character. A sequence cut by the end of the text is allowed
// (a UTF-8 document is held as its bytes, so it still loads exactly).
bool IsUtf8(std::string_view bytes) {
    bool multiByte = false;
    for (std::size_t pos = 0; pos < bytes.size();) {
        bool truncated = false;
        const std::size_t length = Utf8Length(bytes, pos, &truncated);
        if (length == 0) {
            if (truncated) break;
            return false;
        }
        multiByte = multiByte || length > 1;
        pos += length;
    }
    return multiByte;
}

bool IsSevenBit(std::string_view bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// 7-bit text that switches to kanji or half-width kana. A text whose only escapes return to ASCII or
// JIS-Roman has nothing a Shift-JIS reading would show differently, so it stays Shift-JIS.
bool IsJis(std::string_view bytes) {
    if (!IsSevenBit(bytes)) return false;
    for (const std::string_view escape : {"\x1B$B", "\x1B$@", "\x1B(I"})
        if (bytes.find(escape) != std::string_view::npos) return true;
    return false;
}

Encoding DetectEncoding(std::string_view bytes) {
    if (IsSevenBit(bytes)) return IsJis(bytes) ? Encoding::Iso2022Jp : Encoding::ShiftJis;
    if (IsUtf8(bytes)) return Encoding::Utf8;
    const std::optional<long> euc = EucJpScore(bytes);
    if (!euc) return Encoding::ShiftJis;
    const std::optional<long> sjis = ShiftJisScore(bytes);
    if (!sjis || *euc > *sjis) return Encoding::EucJp;
    return Encoding::ShiftJis;
}

// The line-break style of UTF-16 text, read by its 16-bit units.
LineBreak Utf16LineBreak(std::string_view bytes, bool bigEndian) {
    std::string breaks;
    breaks.reserve(bytes.size() / 2);
    for (std::size_t pos = 0; pos + 1 < bytes.size(); pos += 2) {
        const unsigned hi = Byte(bytes, bigEndian ? pos : pos + 1), lo = Byte(bytes, bigEndian ? pos + 1 : pos);
        breaks += hi == 0 && (lo == '\r' || lo == '\n') ? static_cast<char>(lo) : 'x';
    }
    return DetectLineBreak(breaks);
}

}  // namespace

TextFormat DetectFormat(std::string_view bytes) {
    TextFormat format;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        format = {Encoding::Utf8, true, DetectLineBreak(bytes.substr(3))};
    } else if (bytes.starts_with("\xFF\xFE")) {
        format = {Encoding::Utf16Le, true, Utf16LineBreak(bytes.substr(2), false)};
    } else if (bytes.starts_with("\xFE\xFF")) {
        format = {Encoding::Utf16Be, true, Utf16LineBreak(bytes.substr(2), true)};
    } else {
        format = {DetectEncoding(bytes), false, DetectLineBreak(bytes)};
    }
    return format;
}

}  // namespace tovel
