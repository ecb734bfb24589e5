// Decoding a file's bytes a piece at a time (PieceDecoder in text_format.h): the same readings as the
// whole-text decoders, each step taking the whole characters a piece holds and leaving a cut one for the
// next, and the same check that saving the held text gives the file back, made as the text comes.
#include <algorithm>

#include "document/japanese_codes.h"
#include "document/text_format.h"

namespace tovel {
namespace {

using codes::IsHalfWidthKana;
using codes::IsJisByte;

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
enum JisSet : unsigned char { kAscii, kKanji, kKana };

// How much of a piece one step decodes before its text is checked: the check's buffer stays this small.
constexpr std::size_t kStepBytes = 64 * 1024;
// The longest character, UTF-16 pair or escape: a piece's first bytes finish the one the last cut.
constexpr std::size_t kLongestUnit = 4;
// File bytes the saved bytes may lag behind while they agree: one JIS escape the save puts off until the
// next character. A longer lag cannot end in agreement; what is kept of it names where it differs.
constexpr std::size_t kLagKept = 64;

unsigned char Byte(std::string_view text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

bool IsUtf16(Encoding encoding) { return encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be; }

std::string_view Utf16Mark(Encoding encoding) { return encoding == Encoding::Utf16Be ? "\xFE\xFF" : "\xFF\xFE"; }

}  // namespace

PieceDecoder::PieceDecoder(const TextFormat& format) : m_format(format) {
    // UTF-8 drops a mark it finds even when none is asked for (the save then differs at the first byte).
    if (format.encoding == Encoding::Utf8) m_head = kUtf8Mark.size();
    if (IsUtf16(format.encoding) && format.bom) m_head = 2;
}

std::string_view PieceDecoder::Feed(std::string_view piece) {
    m_held.clear();
    if (m_problem) return {};
    if (!m_started) {
        const std::size_t take = std::min(piece.size(), m_head - m_carry.size());
        m_carry.append(piece.substr(0, take));
        piece.remove_prefix(take);
        if (m_carry.size() < m_head) return {};
        Start();
    }
    Run(piece, false);
    return Exact() ? std::string_view(m_held) : std::string_view();
}

std::string_view PieceDecoder::Finish() {
    m_held.clear();
    if (!m_started && !m_problem) Start();
    if (!m_problem && !m_carry.empty()) {
        const std::string rest = std::move(m_carry);
        m_carry.clear();
        Decoded(rest, true);
    }
    if (m_problem) return {};
    if (m_format.encoding == Encoding::Iso2022Jp && m_jisOut != kAscii && !m_saveStopped) {
        m_jisOut = kAscii;
        Compare("", kJisReturn);
    }
    // Whichever is longer, the file or its save, they differ where the shorter ends.
    if (!m_differsAt && (m_saveStopped || m_lagCut || !m_fileRest.empty() || !m_savedRest.empty())) {
        m_differsAt = m_matched;
    }
    if (m_differsAt && m_reason.empty()) {
        m_reason = "この文字コードで保存し直すと元のファイルと同じバイトになりません。";
    }
    return Exact() ? std::string_view(m_held) : std::string_view();
}

void PieceDecoder::Start() {
    m_started = true;
    const std::string_view head = m_carry;
    std::size_t mark = 0;
    if (m_format.encoding == Encoding::Utf8) {
        if (head.starts_with(kUtf8Mark)) {
            mark = kUtf8Mark.size();
            Compare(kUtf8Mark, m_format.bom ? kUtf8Mark : "");
        } else if (m_format.bom) {
            return Fail("ファイルの先頭に UTF-8 の BOM がありません。", 0);
        }
    } else if (m_head > 0) {
        const std::string_view bom = Utf16Mark(m_format.encoding);
        if (!head.starts_with(bom)) return Fail("ファイルの先頭に UTF-16 の BOM がありません。", 0);
        mark = bom.size();
        Compare(bom, bom);
    }
    m_carry.erase(0, mark);
    m_at = mark;
}

void PieceDecoder::Run(std::string_view bytes, bool atEnd) {
    // A unit cut by the last piece's end, finished with this piece's first bytes.
    while (!m_carry.empty() && !bytes.empty() && !m_problem) {
        const std::size_t take = std::min(bytes.size(), kLongestUnit * 2);
        std::string joint = m_carry;
        joint.append(bytes.substr(0, take));
        const std::size_t done = Decoded(joint, atEnd && take == bytes.size());
        if (done >= m_carry.size()) {
            bytes.remove_prefix(done - m_carry.size());
            m_carry.clear();
        } else {
            m_carry = joint.substr(done);
            bytes.remove_prefix(take);
        }
    }
    while (!m_problem && !bytes.empty()) {
        const std::string_view step = bytes.substr(0, kStepBytes);
        const bool last = step.size() == bytes.size();
        const std::size_t done = Decoded(step, atEnd && last);
        bytes.remove_prefix(done);
        if (done == 0 || (last && done < step.size())) {
            m_carry.assign(bytes);
            return;
        }
    }
}

std::size_t PieceDecoder::Decoded(std::string_view bytes, bool atEnd) {
    const std::size_t from = m_held.size();
    const std::size_t done = Step(bytes, atEnd);
    if (!m_problem) Check(bytes.substr(0, done), std::string_view(m_held).substr(from));
    m_at += done;
    return done;
}

void PieceDecoder::Fail(const char* reason, std::size_t pos) {
    m_problem = true;
    m_reason = reason;
    m_offset = m_at + pos;
    m_differsAt.reset();
}

std::size_t PieceDecoder::Step(std::string_view bytes, bool atEnd) {
    switch (m_format.encoding) {
        case Encoding::ShiftJis:
        case Encoding::Utf8:
            m_held += bytes;  // held as they are, so every byte survives
            return bytes.size();
        case Encoding::Utf16Le:
        case Encoding::Utf16Be:
            return StepUtf16(bytes, atEnd);
        case Encoding::EucJp:
            return StepEucJp(bytes, atEnd);
        case Encoding::Iso2022Jp:
            return StepJis(bytes, atEnd);
    }
    return 0;
}

std::size_t PieceDecoder::StepUtf16(std::string_view bytes, bool atEnd) {
    const bool bigEndian = m_format.encoding == Encoding::Utf16Be;
    const auto unit = [&](std::size_t at) -> char32_t {
        return bigEndian ? (Byte(bytes, at) << 8) | Byte(bytes, at + 1) : (Byte(bytes, at + 1) << 8) | Byte(bytes, at);
    };
    std::size_t pos = 0;
    for (; pos + 1 < bytes.size(); pos += 2) {
        const char32_t cp = unit(pos);
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            if (pos + 3 < bytes.size()) {
                const char32_t low = unit(pos + 2);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    codes::AppendUtf8(m_held, 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00));
                    pos += 2;
                    continue;
                }
            } else if (!atEnd) {
                return pos;  // its pair may be in the next piece
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            Fail("UTF-16 の対になっていないサロゲートがあります。", pos);
            return pos;
        }
        codes::AppendUtf8(m_held, cp);
    }
    if (pos < bytes.size() && atEnd) Fail("UTF-16 のファイルの長さが奇数バイトです。", pos);
    return pos;
}

std::size_t PieceDecoder::StepEucJp(std::string_view bytes, bool atEnd) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const unsigned char c = Byte(bytes, pos);
        if (c < 0x80) {
            m_held += static_cast<char>(c);
            ++pos;
            continue;
        }
        if (c == 0x8F) {
            Fail("補助漢字 (JIS X 0212) の文字は Shift_JIS で表せません。", pos);
            break;
        }
        if (pos + 1 >= bytes.size()) {
            if (atEnd) Fail("ファイルの末尾で文字が途中で切れています。", pos);
            break;
        }
        const unsigned char c2 = Byte(bytes, pos + 1);
        if (c == 0x8E && IsHalfWidthKana(c2)) {
            m_held += static_cast<char>(c2);
        } else if (c >= 0xA1 && c <= 0xFE && c2 >= 0xA1 && c2 <= 0xFE) {
            const auto [s1, s2] = codes::JisToSjis(c - 0x80, c2 - 0x80);
            m_held += static_cast<char>(s1);
            m_held += static_cast<char>(s2);
        } else {
            Fail("EUC-JP として正しくないバイトがあります。", pos);
            break;
        }
        pos += 2;
    }
    return pos;
}

std::size_t PieceDecoder::StepJis(std::string_view bytes, bool atEnd) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const unsigned char c = Byte(bytes, pos);
        if (c >= 0x80) {
            Fail("JIS のファイルに 8 ビットのバイトがあります。", pos);
            break;
        }
        if (c == 0x1B) {
            if (pos + 3 > bytes.size() && !atEnd) break;
            const std::string_view esc = bytes.substr(pos, 3);
            if (esc == codes::kKanjiIn || esc == codes::kKanjiOldIn) {
                m_jisIn = kKanji;
            } else if (esc == codes::kAsciiIn || esc == codes::kRomanIn) {
                m_jisIn = kAscii;
            } else if (esc == codes::kKanaIn) {
                m_jisIn = kKana;
            } else {
                Fail("対応していないエスケープシーケンスがあります。", pos);
                break;
            }
            pos += 3;
            continue;
        }
        if (m_jisIn == kAscii) {
            m_held += static_cast<char>(c);
            ++pos;
        } else if (m_jisIn == kKana) {
            if (c < 0x21 || c > 0x5F) {
                Fail("半角カナの途中に正しくないバイトがあります。", pos);
                break;
            }
            m_held += static_cast<char>(c + 0x80);
            ++pos;
        } else {
            if (pos + 1 >= bytes.size() && !atEnd) break;
            if (pos + 1 >= bytes.size() || !IsJisByte(c) || !IsJisByte(Byte(bytes, pos + 1))) {
                Fail("漢字の途中に正しくないバイトがあります。", pos);
                break;
            }
            const auto [s1, s2] = codes::JisToSjis(c, Byte(bytes, pos + 1));
            m_held += static_cast<char>(s1);
            m_held += static_cast<char>(s2);
            pos += 2;
        }
    }
    return pos;
}

void PieceDecoder::Check(std::string_view file, std::string_view held) {
    if (m_differsAt) return;
    m_saved.clear();
    std::optional<std::size_t> stoppedAt;
    if (!m_saveStopped) stoppedAt = EncodeSlice(held, m_format.encoding, m_jisOut, m_saved);
    Compare(file, m_saved);
    if (stoppedAt) m_saveStopped = true;
    // A save stopped by a character it cannot write differs where its bytes end, even when they agree.
    if (!m_differsAt && m_saveStopped && m_savedRest.empty()) m_differsAt = m_matched;
}

void PieceDecoder::Compare(std::string_view file, std::string_view saved) {
    if (m_differsAt) return;
    // Past a cut lag the file's bytes are not known: the saved bytes can agree only with what was kept.
    if (m_lagCut) file = {};
    // What waits from before goes first; it is short (see kLagKept), so joining it costs little.
    std::string joinedFile, joinedSaved;
    if (!m_fileRest.empty()) {
        joinedFile = m_fileRest + std::string(file);
        file = joinedFile;
    }
    if (!m_savedRest.empty()) {
        joinedSaved = m_savedRest + std::string(saved);
        saved = joinedSaved;
    }
    const std::size_t common = std::min(file.size(), saved.size());
    const auto differ = std::mismatch(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(common), saved.begin());
    const auto agreed = static_cast<std::size_t>(differ.first - file.begin());
    m_matched += agreed;
    if (agreed < common || (m_lagCut && saved.size() > common)) {
        m_differsAt = m_matched;
        m_fileRest.clear();
        m_savedRest.clear();
        return;
    }
    if (file.size() - common > kLagKept) m_lagCut = true;
    m_fileRest.assign(file.substr(common, kLagKept));
    m_savedRest.assign(saved.substr(common));
}

}  // namespace tovel
