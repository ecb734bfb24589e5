#include "document/text_format.h"

#include "document/japanese_codes.h"
#include "platform/error.h"

namespace tovel {
namespace {

using codes::IsHalfWidthKana;
using codes::IsJisByte;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kKanjiIn = "\x1B$B";
constexpr std::string_view kKanjiOldIn = "\x1B$@";
constexpr std::string_view kAsciiIn = "\x1B(B";
constexpr std::string_view kRomanIn = "\x1B(J";
constexpr std::string_view kKanaIn = "\x1B(I";

unsigned char Byte(std::string_view text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

// Why a load cannot be exact, and at which offset of the file.
struct Problem {
    std::string reason;
    std::size_t offset = 0;
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

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
                AppendUtf8(held, 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00));
                pos += 2;
                continue;
            }
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) return Problem{"UTF-16 の対になっていないサロゲートがあります。", pos};
        AppendUtf8(held, cp);
    }
    if (pos < bytes.size()) return Problem{"UTF-16 のファイルの長さが奇数バイトです。", pos};
    return std::nullopt;
}

std::optional<Problem> DecodeEucJp(std::string_view bytes, std::string& held) {
    held.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const unsigned char c = Byte(bytes, pos);
        if (c < 0x80) {
            held += static_cast<char>(c);
            ++pos;
            continue;
        }
        if (c == 0x8F) return Problem{"補助漢字 (JIS X 0212) の文字は Shift_JIS で表せません。", pos};
        if (pos + 1 >= bytes.size()) return Problem{"ファイルの末尾で文字が途中で切れています。", pos};
        const unsigned char c2 = Byte(bytes, pos + 1);
        if (c == 0x8E && IsHalfWidthKana(c2)) {
            held += static_cast<char>(c2);
        } else if (c >= 0xA1 && c <= 0xFE && c2 >= 0xA1 && c2 <= 0xFE) {
            const auto [s1, s2] = codes::JisToSjis(c - 0x80, c2 - 0x80);
            held += static_cast<char>(s1);
            held += static_cast<char>(s2);
        } else {
            return Problem{"EUC-JP として正しくないバイトがあります。", pos};
        }
        pos += 2;
    }
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
            if (esc == kKanjiIn || esc == kKanjiOldIn) {
                set = Set::Kanji;
            } else if (esc == kAsciiIn || esc == kRomanIn) {
                set = Set::Ascii;
            } else if (esc == kKanaIn) {
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
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
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
// half-width kana, an ASCII byte, or (none of these) a character the two formats cannot represent.
struct SjisChar {
    enum Kind { Ascii, Kana, Kanji, Other } kind;
    std::size_t length;
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

std::optional<std::size_t> EncodeEucJp(std::string_view held, std::string& out) {
    out.reserve(held.size() + held.size() / 8);
    for (std::size_t pos = 0; pos < held.size();) {
        const SjisChar ch = ReadSjisChar(held, pos);
        const unsigned char c = Byte(held, pos);
        switch (ch.kind) {
            case SjisChar::Ascii:
                out += static_cast<char>(c);
                break;
            case SjisChar::Kana:
                out += '\x8E';
                out += static_cast<char>(c);
                break;
            case SjisChar::Kanji:
                out += static_cast<char>(ch.j1 | 0x80);
                out += static_cast<char>(ch.j2 | 0x80);
                break;
            case SjisChar::Other:
                return pos;
        }
        pos += ch.length;
    }
    return std::nullopt;
}

// JIS as it is commonly written: ESC $ B before kanji, ESC ( I before half-width kana, ESC ( B before
// ASCII and at the end, each only where the character set changes.
std::optional<std::size_t> EncodeJis(std::string_view held, std::string& out) {
    SjisChar::Kind set = SjisChar::Ascii;
    out.reserve(held.size() + held.size() / 4);
    for (std::size_t pos = 0; pos < held.size();) {
        const SjisChar ch = ReadSjisChar(held, pos);
        const unsigned char c = Byte(held, pos);
        // An ESC of the text itself would be read back as the start of a switch.
        if (ch.kind == SjisChar::Other || c == 0x1B) return pos;
        if (ch.kind != set) {
            out += ch.kind == SjisChar::Ascii ? kAsciiIn : ch.kind == SjisChar::Kana ? kKanaIn : kKanjiIn;
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
    if (set != SjisChar::Ascii) out += kAsciiIn;
    return std::nullopt;
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
        std::string back;
        const bool encoded = !EncodeInto(result.held, format, back);
        if (!encoded || back != bytes) {
            std::size_t at = 0;
            while (at < back.size() && at < bytes.size() && back[at] == bytes[at]) ++at;
            problem = Problem{"この文字コードで保存し直すと元のファイルと同じバイトになりません。", at};
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
    std::string out;
    const std::optional<std::size_t> offset = EncodeInto(held, format, out);
    if (!offset) return std::nullopt;
    Unencodable found{*offset, 1};
    for (std::size_t pos = 0; pos < *offset;) {
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
