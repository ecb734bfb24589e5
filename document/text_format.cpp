#include "document/text_format.h"

#include <algorithm>

#include "document/japanese_codes.h"
#include "platform/error.h"

namespace tovel {
namespace {

using codes::IsHalfWidthKana;
using codes::IsJisByte;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

unsigned char Byte(std::string_view text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

// Why a load cannot be exact, and at which offset of the file.
struct Problem {
    std::string reason;
    std::size_t offset = 0;
};

// ---- Reading a file's bytes into the held text. Each stops at the first problem. ----

std::optional<Problem> DecodeUtf8(std::string_view bytes, bool bom, std::string& held) {
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
    } else if (bom) {
        return Problem{"ファイルの先頭に UTF-8 の BOM がありません。", 0};
    }
    held.assign(bytes);  // held as they are, so every byte survives
    return std::nullopt;
}

std::optional<Problem> DecodeUtf16(std::string_view bytes, bool bom, bool bigEndian, std::string& held) {
    const char* mark = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    std::size_t pos = 0;
    if (bom) {
        if (!bytes.starts_with(mark)) return Problem{"ファイルの先頭に UTF-16 の BOM がありません。", 0};
        pos = 2;
    }
    const auto unit = [&](std::size_t at) -> char32_t {
        return bigEndian ? (Byte(bytes, at) << 8) | Byte(bytes, at + 1) : (Byte(bytes, at + 1) << 8) | Byte(bytes, at);
    };
    held.reserve(bytes.size() * 3 / 2);
    for (; pos + 1 < bytes.size(); pos += 2) {
        char32_t cp = unit(pos);
        if (cp >= 0xD800 && cp <= 0xDBFF && pos + 3 < bytes.size()) {
            const char32_t low = unit(pos + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                codes::AppendUtf8(held, 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00));
                pos += 2;
                continue;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) return Problem{"UTF-16 の対になっていないサロゲートがあります。", pos};
        codes::AppendUtf8(held, cp);
    }
    if (pos < bytes.size()) return Problem{"UTF-16 のファイルの長さが奇数バイトです。", pos};
    return std::nullopt;
}

// EUC-JP never takes more bytes in Shift-JIS, so the held text is written into room made once.
std::optional<Problem> DecodeEucJp(std::string_view bytes, std::string& held) {
    held.resize(bytes.size());
    char* out = held.data();
    for (std::size_t pos = 0; pos < bytes.size();) {
        const unsigned char c = Byte(bytes, pos);
        if (c < 0x80) {
            *out++ = static_cast<char>(c);
            ++pos;
            continue;
        }
        if (c == 0x8F) return Problem{"補助漢字 (JIS X 0212) の文字は Shift_JIS で表せません。", pos};
        if (pos + 1 >= bytes.size()) return Problem{"ファイルの末尾で文字が途中で切れています。", pos};
        const unsigned char c2 = Byte(bytes, pos + 1);
        if (c == 0x8E && IsHalfWidthKana(c2)) {
            *out++ = static_cast<char>(c2);
        } else if (c >= 0xA1 && c <= 0xFE && c2 >= 0xA1 && c2 <= 0xFE) {
            const auto [s1, s2] = codes::JisToSjis(c - 0x80, c2 - 0x80);
            *out++ = static_cast<char>(s1);
            *out++ = static_cast<char>(s2);
        } else {
            return Problem{"EUC-JP として正しくないバイトがあります。", pos};
        }
        pos += 2;
    }
    held.resize(static_cast<std::size_t>(out - held.data()));
    return std::nullopt;
}

std::optional<Problem> DecodeJis(std::string_view bytes, std::string& held) {
    enum class Set { Ascii, Kanji, Kana } set = Set::Ascii;
    held.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const unsigned char c = Byte(bytes, pos);
        if (c >= 0x80) return Problem{"JIS のファイルに 8 ビットのバイトがあります。", pos};
        if (c == 0x1B) {
            const std::string_view esc = bytes.substr(pos, 3);
            if (esc == codes::kKanjiIn || esc == codes::kKanjiOldIn) {
                set = Set::Kanji;
            } else if (esc == codes::kAsciiIn || esc == codes::kRomanIn) {
                set = Set::Ascii;
            } else if (esc == codes::kKanaIn) {
                set = Set::Kana;
            } else {
                return Problem{"対応していないエスケープシーケンスがあります。", pos};
            }
            pos += 3;
            continue;
        }
        if (set == Set::Ascii) {
            held += static_cast<char>(c);
            ++pos;
        } else if (set == Set::Kana) {
            if (c < 0x21 || c > 0x5F) return Problem{"半角カナの途中に正しくないバイトがあります。", pos};
            held += static_cast<char>(c + 0x80);
            ++pos;
        } else {
            if (pos + 1 >= bytes.size() || !IsJisByte(c) || !IsJisByte(Byte(bytes, pos + 1))) {
                return Problem{"漢字の途中に正しくないバイトがあります。", pos};
            }
            const auto [s1, s2] = codes::JisToSjis(c, Byte(bytes, pos + 1));
            held += static_cast<char>(s1);
            held += static_cast<char>(s2);
            pos += 2;
        }
    }
    return std::nullopt;
}

// ---- Writing the held text as a file's bytes. Each gives the held offset of the first character the
// format cannot represent, or none. ----

std::optional<std::size_t> EncodeUtf16(std::string_view held, bool bom, bool bigEndian, std::string& out) {
    const auto put = [&](char32_t u) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        const char unit[2] = {bigEndian ? hi : lo, bigEndian ? lo : hi};
        out.append(unit, 2);
    };
    out.reserve(held.size() * 2 + 2);
    if (bom) put(0xFEFF);
    for (std::size_t pos = 0; pos < held.size();) {
        const std::size_t length = Utf8Length(held, pos);
        if (length == 0) return pos;
        const char32_t cp = Utf8CodePoint(held, pos, length);
        if (cp >= 0x10000) {
            put(0xD800 + ((cp - 0x10000) >> 10));
            put(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            put(cp);
        }
        pos += length;
    }
    return std::nullopt;
}

// Steps through Shift-JIS held text by characters for the EUC-JP and JIS writers: a JIS X 0208 pair, a
// half-width kana, an ASCII byte, or (none of these) a character the two formats cannot represent. Four
// bytes, so that it comes back in a register: read through memory, it cost half of every EUC-JP save.
struct SjisChar {
    enum Kind : unsigned char { Ascii, Kana, Kanji, Other } kind;
    unsigned char length;
    unsigned char j1 = 0, j2 = 0;
};
SjisChar ReadSjisChar(std::string_view held, std::size_t pos) {
    const unsigned char c = Byte(held, pos);
    if (c < 0x80) return {SjisChar::Ascii, 1};
    if (IsHalfWidthKana(c)) return {SjisChar::Kana, 1};
    if (pos + 1 < held.size()) {
        if (const auto jis = codes::SjisToJis(c, Byte(held, pos + 1))) {
            return {SjisChar::Kanji, 2, jis->first, jis->second};
        }
    }
    return {SjisChar::Other, 1};
}

// A character takes at most two bytes in EUC-JP for each Shift-JIS byte, so the output is written into
// room made once and cut to what was written, also when a character stops it.
std::optional<std::size_t> EncodeEucJp(std::string_view held, std::string& out) {
    const std::size_t start = out.size();
    out.resize(start + held.size() * 2);
    char* p = out.data() + start;
    std::optional<std::size_t> stoppedAt;
    for (std::size_t pos = 0; pos < held.size();) {
        const SjisChar ch = ReadSjisChar(held, pos);
        const unsigned char c = Byte(held, pos);
        if (ch.kind == SjisChar::Other) {
            stoppedAt = pos;
            break;
        }
        if (ch.kind == SjisChar::Ascii) {
            *p++ = static_cast<char>(c);
        } else if (ch.kind == SjisChar::Kana) {
            *p++ = '\x8E';
            *p++ = static_cast<char>(c);
        } else {
            *p++ = static_cast<char>(ch.j1 | 0x80);
            *p++ = static_cast<char>(ch.j2 | 0x80);
        }
        pos += ch.length;
    }
    out.resize(static_cast<std::size_t>(p - out.data()));
    return stoppedAt;
}

// JIS as it is commonly written: ESC $ B before kanji, ESC ( I before half-width kana, ESC ( B before
// ASCII and at the end, each only where the character set changes. `set` is the character set in force
// before the text and after it: a text written in slices carries it from one to the next, and only the
// whole text's end returns to ASCII (EncodeJis).
std::optional<std::size_t> EncodeJisSlice(std::string_view held, std::string& out, SjisChar::Kind& set) {
    out.reserve(out.size() + held.size() + held.size() / 4);
    for (std::size_t pos = 0; pos < held.size();) {
        const SjisChar ch = ReadSjisChar(held, pos);
        const unsigned char c = Byte(held, pos);
        // An ESC of the text itself would be read back as the start of a switch.
        if (ch.kind == SjisChar::Other || c == 0x1B) return pos;
        if (ch.kind != set) {
            out += ch.kind == SjisChar::Ascii  ? codes::kAsciiIn
                   : ch.kind == SjisChar::Kana ? codes::kKanaIn
                                               : codes::kKanjiIn;
            set = ch.kind;
        }
        if (ch.kind == SjisChar::Ascii) {
            out += static_cast<char>(c);
        } else if (ch.kind == SjisChar::Kana) {
            out += static_cast<char>(c - 0x80);
        } else {
            out += static_cast<char>(ch.j1);
            out += static_cast<char>(ch.j2);
        }
        pos += ch.length;
    }
    return std::nullopt;
}

std::optional<std::size_t> EncodeJis(std::string_view held, std::string& out) {
    SjisChar::Kind set = SjisChar::Ascii;
    const std::optional<std::size_t> stoppedAt = EncodeJisSlice(held, out, set);
    if (!stoppedAt && set != SjisChar::Ascii) out += codes::kAsciiIn;
    return stoppedAt;
}

std::optional<std::size_t> EncodeInto(std::string_view held, const TextFormat& format, std::string& out) {
    switch (format.encoding) {
        case Encoding::ShiftJis:
            out.assign(held);
            return std::nullopt;
        case Encoding::Utf8:
            if (format.bom) out += kUtf8Bom;
            out += held;
            return std::nullopt;
        case Encoding::Utf16Le:
            return EncodeUtf16(held, format.bom, false, out);
        case Encoding::Utf16Be:
            return EncodeUtf16(held, format.bom, true, out);
        case Encoding::EucJp:
            return EncodeEucJp(held, out);
        case Encoding::Iso2022Jp:
            return EncodeJis(held, out);
    }
    return std::nullopt;
}

std::optional<Problem> DecodeInto(std::string_view bytes, const TextFormat& format, std::string& held) {
    switch (format.encoding) {
        case Encoding::ShiftJis:
            held.assign(bytes);
            return std::nullopt;
        case Encoding::Utf8:
            return DecodeUtf8(bytes, format.bom, held);
        case Encoding::Utf16Le:
            return DecodeUtf16(bytes, format.bom, false, held);
        case Encoding::Utf16Be:
            return DecodeUtf16(bytes, format.bom, true, held);
        case Encoding::EucJp:
            return DecodeEucJp(bytes, held);
        case Encoding::Iso2022Jp:
            return DecodeJis(bytes, held);
    }
    return std::nullopt;
}

// The first offset at which the file's bytes and prefix + body differ (the shorter length when one is the
// start of the other); none when they are the same.
std::optional<std::size_t> FirstDifference(std::string_view bytes, std::string_view prefix, std::string_view body) {
    if (bytes.size() == prefix.size() + body.size() && bytes.starts_with(prefix) &&
        bytes.substr(prefix.size()) == body) {
        return std::nullopt;
    }
    const auto saved = [&](std::size_t i) { return i < prefix.size() ? prefix[i] : body[i - prefix.size()]; };
    const std::size_t common = std::min(bytes.size(), prefix.size() + body.size());
    std::size_t at = 0;
    while (at < common && saved(at) == bytes[at]) ++at;
    return at;
}

// Where saving the held text in the format would first differ from the file's bytes; none when the save
// gives the file back. Shift-JIS and UTF-8 save the held bytes themselves (after a UTF-8 byte-order
// mark), so they are compared in place: for a large file a second copy costs more than the comparison.
// The other formats are saved and compared a slice at a time, in one small buffer: each slice ends after
// an LF, which is a whole character in the held text and leaves JIS in ASCII, so the slices give the same
// bytes as the whole text would.
std::optional<std::size_t> SaveDiffersAt(std::string_view held, const TextFormat& format, std::string_view bytes) {
    if (format.encoding == Encoding::ShiftJis) return FirstDifference(bytes, "", held);
    if (format.encoding == Encoding::Utf8) return FirstDifference(bytes, format.bom ? kUtf8Bom : "", held);
    constexpr std::size_t kSlice = 64 * 1024;
    std::string back;
    TextFormat sliceFormat = format;  // the byte-order mark goes before the first slice only
    std::size_t pos = 0;
    std::size_t matched = 0;  // file bytes the slices so far gave back
    do {
        std::size_t end = pos + kSlice < held.size() ? held.find('\n', pos + kSlice) : std::string_view::npos;
        end = end == std::string_view::npos ? held.size() : end + 1;
        back.clear();
        const bool encoded = !EncodeInto(held.substr(pos, end - pos), sliceFormat, back);
        const std::optional<std::size_t> at = FirstDifference(bytes.substr(matched, back.size()), "", back);
        // A save that stops at a character it cannot write differs even where the bytes so far agree.
        if (at || !encoded) return matched + at.value_or(back.size());
        matched += back.size();
        sliceFormat.bom = false;
        pos = end;
    } while (pos < held.size());
    if (matched != bytes.size()) return matched;
    return std::nullopt;
}

// The kind of the break that starts at pos (a CR or an LF), and its length.
LineBreak BreakAt(std::string_view text, std::size_t pos, std::size_t* length) {
    const bool crlf = text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n';
    *length = crlf ? 2 : 1;
    return crlf ? LineBreak::CrLf : text[pos] == '\n' ? LineBreak::Lf : LineBreak::Cr;
}

}  // namespace

std::string EncodingName(Encoding encoding, bool bom) {
    switch (encoding) {
        case Encoding::ShiftJis:
            return "Shift_JIS";
        case Encoding::Utf8:
            return bom ? "UTF-8 (BOM)" : "UTF-8";
        case Encoding::Utf16Le:
            return bom ? "UTF-16 LE" : "UTF-16 LE (BOMなし)";
        case Encoding::Utf16Be:
            return bom ? "UTF-16 BE" : "UTF-16 BE (BOMなし)";
        case Encoding::EucJp:
            return "EUC-JP";
        case Encoding::Iso2022Jp:
            return "JIS";
    }
    return "";
}

std::string LineBreakName(LineBreak lineBreak) {
    switch (lineBreak) {
        case LineBreak::CrLf:
            return "CRLF";
        case LineBreak::Lf:
            return "LF";
        case LineBreak::Cr:
            return "CR";
        case LineBreak::Mixed:
            return "改行混在";
    }
    return "";
}

std::string DisplayName(const TextFormat& format) {
    return EncodingName(format.encoding, format.bom) + "  " + LineBreakName(format.lineBreak);
}

DecodeResult Decode(std::string_view bytes, const TextFormat& format) {
    DecodeResult result;
    std::optional<Problem> problem = DecodeInto(bytes, format, result.held);
    if (!problem) {
        // The load is exact only if the save would give the file back: compare, byte for byte.
        if (const std::optional<std::size_t> at = SaveDiffersAt(result.held, format, bytes)) {
            problem = Problem{"この文字コードで保存し直すと元のファイルと同じバイトになりません。", *at};
        }
    }
    if (problem) {
        result.held.assign(bytes);
        result.exact = false;
        result.reason = std::move(problem->reason);
        result.offset = problem->offset;
    }
    return result;
}

std::string Encode(std::string_view held, const TextFormat& format) {
    std::string out;
    if (EncodeInto(held, format, out)) {
        throw Error("この文字コードで表せない文字があるため保存できません。");
    }
    return out;
}

std::optional<Unencodable> FindUnencodable(std::string_view held, const TextFormat& format) {
    // Encoded a slice at a time into one small buffer: only the first character that fails matters.
    PieceEncoder encoder(held, format);
    std::size_t offset = 0;
    for (std::optional<std::string_view> piece; (piece = encoder.TryNext(&offset));) {
        if (piece->empty()) return std::nullopt;
    }
    Unencodable found{offset, 1};
    for (std::size_t pos = 0; pos < offset;) {
        if (held[pos] == '\r' || held[pos] == '\n') {
            std::size_t length = 0;
            BreakAt(held, pos, &length);
            ++found.line;
            pos += length;
        } else {
            ++pos;
        }
    }
    return found;
}

std::optional<std::size_t> EncodeSlice(std::string_view held, Encoding encoding, unsigned char& jisSet,
                                       std::string& out) {
    switch (encoding) {
        case Encoding::ShiftJis:
        case Encoding::Utf8:
            out += held;
            return std::nullopt;
        case Encoding::Utf16Le:
        case Encoding::Utf16Be:
            return EncodeUtf16(held, false, encoding == Encoding::Utf16Be, out);
        case Encoding::EucJp:
            return EncodeEucJp(held, out);
        case Encoding::Iso2022Jp: {
            auto set = static_cast<SjisChar::Kind>(jisSet);
            const std::optional<std::size_t> stoppedAt = EncodeJisSlice(held, out, set);
            jisSet = set;
            return stoppedAt;
        }
    }
    return std::nullopt;
}

PieceEncoder::PieceEncoder(std::string_view held, const TextFormat& format, std::size_t sliceBytes)
    : m_held(held), m_format(format), m_slice(std::max<std::size_t>(sliceBytes, 1)) {}

std::string_view PieceEncoder::Next() {
    std::size_t badAt = 0;
    const std::optional<std::string_view> piece = TryNext(&badAt);
    if (!piece) throw Error("この文字コードで表せない文字があるため保存できません。");
    return *piece;
}

std::optional<std::string_view> PieceEncoder::TryNext(std::size_t* badAt) {
    if (!m_markGiven) {
        m_markGiven = true;
        if (m_format.bom) {
            switch (m_format.encoding) {
                case Encoding::Utf8:
                    return kUtf8Bom;
                case Encoding::Utf16Le:
                    return std::string_view("\xFF\xFE");
                case Encoding::Utf16Be:
                    return std::string_view("\xFE\xFF");
                default:
                    break;
            }
        }
    }
    if (m_pos >= m_held.size()) {
        // JIS returns to ASCII at the end of the whole text only.
        if (m_format.encoding == Encoding::Iso2022Jp && m_jisSet != SjisChar::Ascii) {
            m_jisSet = SjisChar::Ascii;
            return codes::kAsciiIn;
        }
        return std::string_view();
    }
    // The held bytes are the file's own: given as they are, never copied.
    if (m_format.encoding == Encoding::ShiftJis || m_format.encoding == Encoding::Utf8) {
        const std::string_view piece = m_held.substr(m_pos, m_slice);
        m_pos += piece.size();
        return piece;
    }
    // A slice ends after a byte below 0x40: in Shift-JIS and in UTF-8 a character of its own, never part
    // of another, so no character is split between two slices.
    std::size_t end = m_held.size();
    if (end - m_pos > m_slice) {
        for (end = m_pos + m_slice - 1; end < m_held.size() && Byte(m_held, end) >= 0x40;) ++end;
        end = std::min(end + 1, m_held.size());
    }
    const std::string_view slice = m_held.substr(m_pos, end - m_pos);
    m_buffer.clear();
    const std::optional<std::size_t> stoppedAt = EncodeSlice(slice, m_format.encoding, m_jisSet, m_buffer);
    if (stoppedAt) {
        *badAt = m_pos + *stoppedAt;
        return std::nullopt;
    }
    m_pos = end;
    return std::string_view(m_buffer);
}

LineBreak DetectLineBreak(std::string_view text) {
    std::optional<LineBreak> seen;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        if (text[pos] != '\r' && text[pos] != '\n') continue;
        std::size_t length = 0;
        const LineBreak kind = BreakAt(text, pos, &length);
        if (seen && *seen != kind) return LineBreak::Mixed;
        seen = kind;
        pos += length - 1;
    }
    return seen.value_or(LineBreak::CrLf);
}

LineBreak EnterLineBreak(std::string_view text) {
    const std::size_t pos = text.find_first_of("\r\n");
    if (pos == std::string_view::npos) return LineBreak::CrLf;
    std::size_t length = 0;
    return BreakAt(text, pos, &length);
}

void LineBreakScanner::Feed(std::string_view piece) {
    if (piece.empty()) return;
    // The first break, once: a CR at a piece's end is told apart by the next piece's first byte.
    if (!m_first) {
        if (m_lastCr) {
            m_first = piece[0] == '\n' ? LineBreak::CrLf : LineBreak::Cr;
        } else if (const std::size_t at = piece.find_first_of("\r\n"); at != std::string_view::npos) {
            if (piece[at] == '\n') {
                m_first = LineBreak::Lf;
            } else if (at + 1 < piece.size()) {
                m_first = piece[at + 1] == '\n' ? LineBreak::CrLf : LineBreak::Cr;
            }
        }
    }
    // The style by counts, which a plain loop keeps without a branch: every break is a CR LF when the CRs,
    // the LFs and the pairs are as many; LF alone when there is no CR; CR alone when there is no LF.
    const auto* p = reinterpret_cast<const unsigned char*>(piece.data());
    std::uint64_t cr = 0, lf = 0, pairs = m_lastCr && p[0] == '\n';
    for (std::size_t i = 0; i < piece.size(); ++i) {
        cr += p[i] == '\r';
        lf += p[i] == '\n';
    }
    for (std::size_t i = 1; i < piece.size(); ++i) pairs += (p[i] == '\n') & (p[i - 1] == '\r');
    m_cr += cr;
    m_lf += lf;
    m_crLf += pairs;
    m_lastCr = p[piece.size() - 1] == '\r';
}

LineBreak LineBreakScanner::Style() const {
    if (m_cr == 0 && m_lf == 0) return LineBreak::CrLf;
    if (m_cr == 0) return LineBreak::Lf;
    if (m_lf == 0) return LineBreak::Cr;
    return m_crLf == m_cr && m_crLf == m_lf ? LineBreak::CrLf : LineBreak::Mixed;
}

LineBreak LineBreakScanner::Enter() const {
    if (m_first) return *m_first;
    return m_lastCr ? LineBreak::Cr : LineBreak::CrLf;
}

std::string_view LineBreakBytes(LineBreak lineBreak) {
    switch (lineBreak) {
        case LineBreak::CrLf:
            return "\r\n";
        case LineBreak::Lf:
            return "\n";
        case LineBreak::Cr:
            return "\r";
        case LineBreak::Mixed:
            return "";
    }
    return "";
}

std::string ConvertLineBreaks(std::string_view text, LineBreak to) {
    if (to == LineBreak::Mixed) throw Error("改行コードの変換先が指定されていません。");
    const std::string_view with = LineBreakBytes(to);
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t pos = 0; pos < text.size();) {
        if (text[pos] == '\r' || text[pos] == '\n') {
            std::size_t length = 0;
            BreakAt(text, pos, &length);
            out += with;
            pos += length;
        } else {
            out += text[pos++];
        }
    }
    return out;
}

}  // namespace tovel
