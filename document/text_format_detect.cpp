// Telling a file's format from its bytes (DetectFormat in text_format.h).
//
// EUC-JP and Shift-JIS share most of their byte ranges, so a text valid in both is read both ways and each
// reading scores the characters it gives: Japanese prose is mostly hiragana, katakana, punctuation and
// common kanji; the wrong reading of the same bytes turns into half-width kana, rare kanji and cells JIS X
// 0208 leaves empty. Shift-JIS wins a tie, being the default.
#include <algorithm>
#include <optional>
#include <string>

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
// the text is not held against it; cut by the end of a block that more text follows (`atEnd` false), it is
// invalid, as the byte after the block (see SafeCut) would make it.
std::optional<long long> EucJpScore(std::string_view bytes, bool atEnd = true) {
    long long score = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const unsigned char c = Byte(bytes, pos);
        if (c < 0x80) {
            ++pos;
            continue;
        }
        const std::size_t length = c == 0x8F ? 3 : 2;
        if (pos + length > bytes.size()) {
            if (!atEnd) return std::nullopt;
            break;
        }
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
std::optional<long long> ShiftJisScore(std::string_view bytes, bool atEnd = true) {
    long long score = 0;
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
        if (pos + 1 >= bytes.size()) {
            if (!atEnd) return std::nullopt;
            break;
        }
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
// `multiByte` is told whether one was seen; false for invalid text, of which it then tells nothing.
bool ValidUtf8(std::string_view bytes, bool atEnd, bool& multiByte) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        bool truncated = false;
        const std::size_t length = Utf8Length(bytes, pos, &truncated);
        if (length == 0) {
            if (truncated && atEnd) break;
            return false;
        }
        multiByte = multiByte || length > 1;
        pos += length;
    }
    return true;
}

bool IsUtf8(std::string_view bytes) {
    bool multiByte = false;
    return ValidUtf8(bytes, true, multiByte) && multiByte;
}

bool IsSevenBit(std::string_view bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

bool HasJisSwitch(std::string_view bytes) {
    for (const std::string_view escape : {"\x1B$B", "\x1B$@", "\x1B(I"})
        if (bytes.find(escape) != std::string_view::npos) return true;
    return false;
}

// 7-bit text that switches to kanji or half-width kana. A text whose only escapes return to ASCII or
// JIS-Roman has nothing a Shift-JIS reading would show differently, so it stays Shift-JIS.
bool IsJis(std::string_view bytes) { return IsSevenBit(bytes) && HasJisSwitch(bytes); }

// Whether a block of the bytes may end after this byte: one below 0x40 is a character of its own in every
// encoding detected here (never a lead, trail or continuation byte), and none of the escape sequences
// ESC $ B, ESC $ @, ESC ( I is cut after it. So each scan gives for the blocks what it gives for the whole.
bool SafeCut(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x40 && b != 0x1B && b != '$' && b != '(';
}

Encoding DetectEncoding(std::string_view bytes) {
    if (IsSevenBit(bytes)) return IsJis(bytes) ? Encoding::Iso2022Jp : Encoding::ShiftJis;
    if (IsUtf8(bytes)) return Encoding::Utf8;
    const std::optional<long long> euc = EucJpScore(bytes);
    if (!euc) return Encoding::ShiftJis;
    const std::optional<long long> sjis = ShiftJisScore(bytes);
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

void FormatDetector::Feed(std::string_view piece) {
    if (m_mark != Mark::Unknown) {
        Take(piece);
        return;
    }
    // The first three bytes tell the mark; they wait in m_head until they are all there.
    const std::size_t add = std::min<std::size_t>(piece.size(), 3 - m_head.size());
    m_head.append(piece.substr(0, add));
    if (m_head.size() < 3) return;
    Decide();
    Take(piece.substr(add));
}

void FormatDetector::Decide() {
    const std::string_view head = m_head;
    m_mark = head.starts_with("\xEF\xBB\xBF") ? Mark::Utf8
             : head.starts_with("\xFF\xFE")   ? Mark::Utf16Le
             : head.starts_with("\xFE\xFF")   ? Mark::Utf16Be
                                              : Mark::None;
    m_skip = m_mark == Mark::Utf8 ? 3 : m_mark == Mark::None ? 0 : 2;
    Take(head);
}

void FormatDetector::Take(std::string_view bytes) {
    const std::size_t skip = std::min(m_skip, bytes.size());
    bytes.remove_prefix(skip);
    m_skip -= skip;
    if (bytes.empty()) return;
    if (m_mark == Mark::Utf16Le || m_mark == Mark::Utf16Be) {
        // Each 16-bit unit as one byte: its CR or LF, or any other for every other unit.
        const bool bigEndian = m_mark == Mark::Utf16Be;
        char units[4096];
        std::size_t n = 0;
        const auto unit = [&](char first, char second) {
            const char hi = bigEndian ? first : second, lo = bigEndian ? second : first;
            units[n++] = hi == 0 && (lo == '\r' || lo == '\n') ? lo : 'x';
            if (n == sizeof units) {
                m_breaks.Feed({units, n});
                n = 0;
            }
        };
        std::size_t pos = 0;
        if (m_oddByte) {
            unit(m_odd, bytes[0]);
            pos = 1;
        }
        for (; pos + 1 < bytes.size(); pos += 2) unit(bytes[pos], bytes[pos + 1]);
        m_oddByte = pos < bytes.size();
        if (m_oddByte) m_odd = bytes[pos];
        m_breaks.Feed({units, n});
        return;
    }
    m_breaks.Feed(bytes);
    if (m_mark == Mark::Utf8) return;  // UTF-8 by its mark: nothing more to tell
    // The encodings are scanned in blocks that end where no character can straddle; the rest waits.
    std::size_t last = bytes.size();
    while (last > 0 && !SafeCut(bytes[last - 1])) --last;
    if (last == 0) {
        m_carry.append(bytes);
        return;
    }
    if (!m_carry.empty()) {
        std::size_t first = 0;
        while (!SafeCut(bytes[first])) ++first;
        m_carry.append(bytes.substr(0, first + 1));
        Scan(m_carry, false);
        m_carry.clear();
        bytes.remove_prefix(first + 1);
        last -= first + 1;
    }
    Scan(bytes.substr(0, last), false);
    m_carry.assign(bytes.substr(last));
}

void FormatDetector::Scan(std::string_view block, bool atEnd) {
    if (IsSevenBit(block)) {
        // ASCII changes no reading but JIS's: the 8-bit scans would only pass over it.
        m_jisEscape = m_jisEscape || (m_sevenBit && HasJisSwitch(block));
        return;
    }
    m_sevenBit = false;
    if (m_utf8) m_utf8 = ValidUtf8(block, atEnd, m_multiByte);
    const auto add = [](std::optional<long long>& total, std::optional<long long> score) {
        total = score ? std::optional<long long>(*total + *score) : std::nullopt;
    };
    if (m_eucScore) add(m_eucScore, EucJpScore(block, atEnd));
    // The Shift-JIS reading's score counts only against a valid EUC-JP one.
    if (m_eucScore && m_sjisScore) add(m_sjisScore, ShiftJisScore(block, atEnd));
}

TextFormat FormatDetector::Finish() {
    if (m_mark == Mark::Unknown) Decide();
    switch (m_mark) {
        case Mark::Utf8:
            return {Encoding::Utf8, true, m_breaks.Style()};
        case Mark::Utf16Le:
            return {Encoding::Utf16Le, true, m_breaks.Style()};
        case Mark::Utf16Be:
            return {Encoding::Utf16Be, true, m_breaks.Style()};
        default:
            break;
    }
    Scan(m_carry, true);
    m_carry.clear();
    Encoding encoding = Encoding::ShiftJis;
    if (m_sevenBit) {
        encoding = m_jisEscape ? Encoding::Iso2022Jp : Encoding::ShiftJis;
    } else if (m_utf8 && m_multiByte) {
        encoding = Encoding::Utf8;
    } else if (m_eucScore && (!m_sjisScore || *m_eucScore > *m_sjisScore)) {
        encoding = Encoding::EucJp;
    }
    return {encoding, false, m_breaks.Style()};
}

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
