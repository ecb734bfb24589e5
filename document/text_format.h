#pragma once
// A file's text format: its encoding, its byte-order mark and its line-break style; how a file's bytes
// are told apart, and how they become the text the editor holds and back again.
//
// The contract:
// - The editor holds Shift-JIS, EUC-JP and JIS documents as Shift-JIS bytes (EUC-JP and JIS converted),
//   UTF-8 documents as the file's bytes after any byte-order mark, and UTF-16 documents as UTF-8
//   (converted).
// - A load is exact only when encoding the held text gives back the file, byte for byte. Decode checks
//   this itself; when it does not hold, it says why and where, and holds the file's bytes unchanged (as a
//   Shift-JIS document holds them), so that nothing the user had is lost.
// - Encode writes only what the target can hold. Text the user typed that the target cannot represent is
//   found first with FindUnencodable; Encode refuses such text with an Error rather than replacing it.
// - Line breaks are never rewritten by a load or a save: CR LF, LF and CR each count as one break, and
//   only ConvertLineBreaks changes them.
// Everything here runs in time linear in the text's length.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovel {

enum class Encoding { ShiftJis, Utf8, Utf16Le, Utf16Be, EucJp, Iso2022Jp };

// Mixed: more than one kind of break. Enter then types the text's first break (EnterLineBreak).
enum class LineBreak { CrLf, Lf, Cr, Mixed };

struct TextFormat {
    Encoding encoding = Encoding::ShiftJis;
    // Whether the file starts with a byte-order mark; only UTF-8 and UTF-16 have one.
    bool bom = false;
    LineBreak lineBreak = LineBreak::CrLf;

    friend bool operator==(const TextFormat&, const TextFormat&) = default;
};

// "Shift_JIS", "UTF-8 (BOM)", "UTF-16 LE", "EUC-JP", "JIS" ...
std::string EncodingName(Encoding encoding, bool bom);
// "CRLF", "LF", "CR", or the word for mixed breaks.
std::string LineBreakName(LineBreak lineBreak);
// The status bar's text: the encoding's name, two spaces, the line-break style ("UTF-8 (BOM)  LF").
std::string DisplayName(const TextFormat& format);

// Whether the editor holds this encoding's text as UTF-8 (otherwise as Shift-JIS bytes).
constexpr bool HeldAsUtf8(Encoding encoding) {
    return encoding == Encoding::Utf8 || encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be;
}

// The format of a file's bytes: a byte-order mark first; then JIS (7-bit text switching to a Japanese
// character set by its escape sequences), UTF-8 (valid, with at least one multi-byte character), EUC-JP
// (valid, and likelier than Shift-JIS by the characters each reading gives); otherwise Shift-JIS, which
// also takes ASCII-only and empty files. The line-break style is that of the file's text.
TextFormat DetectFormat(std::string_view bytes);

struct DecodeResult {
    // What the editor holds: the converted text when exact, otherwise the file's bytes unchanged.
    std::string held;
    bool exact = true;
    // When not exact: why (a message for the user, in Shift-JIS) and the file offset it concerns.
    std::string reason;
    std::size_t offset = 0;
};

// The editor's text for a file's bytes read in the given format, verified against Encode.
DecodeResult Decode(std::string_view bytes, const TextFormat& format);

// The file's bytes for the held text; throws Error when the text holds a character the format cannot
// represent (see FindUnencodable). The format's line-break style is not applied: breaks are kept as held.
std::string Encode(std::string_view held, const TextFormat& format);

struct Unencodable {
    std::size_t offset = 0;  // byte offset of the character in the held text
    std::size_t line = 1;    // its line, counted from 1
};
// The first character of the held text that the format cannot represent, if any.
std::optional<Unencodable> FindUnencodable(std::string_view held, const TextFormat& format);

// The text's style: the one kind every break has, Mixed when they differ, CrLf when there is none.
LineBreak DetectLineBreak(std::string_view text);
// The break Enter types in this text: its first break, CrLf when there is none.
LineBreak EnterLineBreak(std::string_view text);
// The bytes of a break: "\r\n", "\n" or "\r" (Mixed has none: empty).
std::string_view LineBreakBytes(LineBreak lineBreak);
// Every break (CR LF, LF or CR) becomes `to`; nothing else changes. Throws Error for Mixed.
std::string ConvertLineBreaks(std::string_view text, LineBreak to);

// ---- The same rules for texts too large to copy whole: over pieces of any size, with the same results.

// How much of a text one piece of a file's reading or writing takes. A load holds one piece beside the
// whole text, so a piece is kept small against the texts that are big (a few MiB read as quickly as more).
inline constexpr std::size_t kPieceBytes = std::size_t{4} << 20;

// Encode a slice of the held text at a time, into one buffer used again: the pieces, in order, are the
// bytes Encode gives for the whole text. A held text that is the file's own bytes (Shift-JIS, UTF-8) is
// given as it is, never copied; a byte-order mark comes as a piece of its own.
class PieceEncoder {
public:
    PieceEncoder(std::string_view held, const TextFormat& format, std::size_t sliceBytes = kPieceBytes);
    // The next piece, empty after the last; valid until the next call. Throws Error as Encode does when
    // the text holds a character the format cannot represent.
    std::string_view Next();
    // The same, or nothing with `badAt` set to the held offset of the character that cannot be written.
    std::optional<std::string_view> TryNext(std::size_t* badAt);
    // How much of the held text the pieces so far have taken.
    std::size_t Done() const { return m_pos; }

private:
    std::string_view m_held;
    TextFormat m_format;
    std::size_t m_slice;
    std::size_t m_pos = 0;
    bool m_markGiven = false;
    unsigned char m_jisSet = 0;  // JIS: the character set in force after the pieces so far
    std::string m_buffer;
};

// Encodes a slice of held text, starting and ending on whole characters, appending the file's bytes for it
// to `out` without a byte-order mark. `jisSet` carries JIS's character set from one slice to the next (0,
// ASCII, before the first); a whole text in JIS ends with a return to ASCII when it is not 0 (kJisReturn).
// The held offset of the first character the format cannot represent, if any: `out` then ends before it.
std::optional<std::size_t> EncodeSlice(std::string_view held, Encoding encoding, unsigned char& jisSet,
                                       std::string& out);
inline constexpr std::string_view kJisReturn = "\x1B(B";

// Decode over a file's bytes given in pieces of any size, with the same answers: the held text of each
// piece in turn, together the held text Decode gives when the file reads exactly, and at the end whether
// it does, and if not, why and where. A character, a UTF-16 pair or a JIS escape cut by a piece's end is
// finished with the next piece; JIS's character set goes on from one piece to the next. Once the file is
// known not to read exactly, the pieces give no more text. Memory: the held text of one piece.
class PieceDecoder {
public:
    explicit PieceDecoder(const TextFormat& format);
    // The held text of the next piece of the file, valid until the next call.
    std::string_view Feed(std::string_view piece);
    // After the last piece: the end of the held text (a character cut by the file's end is a problem).
    std::string_view Finish();
    // False once the file is known not to read exactly.
    bool Exact() const { return !m_problem && !m_differsAt; }
    // True once nothing the rest of the file holds can change the answers (a byte that does not decode);
    // a save found to differ is named only if no such byte follows, as Decode names that one instead.
    bool Decided() const { return m_problem; }
    // When not exact, after Finish: as DecodeResult's reason and offset.
    const std::string& Reason() const { return m_reason; }
    std::size_t Offset() const { return m_problem ? m_offset : m_differsAt.value_or(0); }

private:
    void Start();
    void Run(std::string_view bytes, bool atEnd);
    std::size_t Decoded(std::string_view bytes, bool atEnd);
    std::size_t Step(std::string_view bytes, bool atEnd);
    std::size_t StepUtf16(std::string_view bytes, bool atEnd);
    std::size_t StepEucJp(std::string_view bytes, bool atEnd);
    std::size_t StepJis(std::string_view bytes, bool atEnd);
    void Fail(const char* reason, std::size_t pos);
    void Check(std::string_view file, std::string_view held);
    void Compare(std::string_view file, std::string_view saved);

    TextFormat m_format;
    std::size_t m_head = 0;  // the bytes the byte-order mark is told by, taken before any is decoded
    bool m_started = false;
    std::string m_carry;   // the start of a character (or unit, or escape) cut by the last piece's end
    std::size_t m_at = 0;  // the file offset of the first byte not decoded yet
    unsigned char m_jisIn = 0;
    std::string m_held;  // the held text of the piece being decoded
    bool m_problem = false;
    std::string m_reason;
    std::size_t m_offset = 0;
    // Whether saving the held text gives the file back, checked as the text comes: the saved bytes are
    // compared with the file's up to m_matched; whichever runs ahead waits in its rest.
    unsigned char m_jisOut = 0;
    std::string m_saved;
    std::size_t m_matched = 0;
    std::string m_fileRest, m_savedRest;
    bool m_lagCut = false;       // file bytes past the kept lag were let go (see Compare)
    bool m_saveStopped = false;  // a character the format cannot write: the save ends with the saved rest
    std::optional<std::size_t> m_differsAt;
};

// DetectLineBreak and EnterLineBreak over a text given in pieces (a CR LF may be split between two).
class LineBreakScanner {
public:
    void Feed(std::string_view piece);
    LineBreak Style() const;
    LineBreak Enter() const;

private:
    std::uint64_t m_cr = 0, m_lf = 0, m_crLf = 0;
    bool m_lastCr = false;  // the pieces so far end with a CR
    std::optional<LineBreak> m_first;
};

// DetectFormat over a file's bytes given in pieces.
class FormatDetector {
public:
    void Feed(std::string_view piece);
    TextFormat Finish();
    // The breaks of the text the file holds when it is held as its bytes (after a UTF-8 byte-order mark).
    const LineBreakScanner& Breaks() const { return m_breaks; }

private:
    enum class Mark { Unknown, None, Utf8, Utf16Le, Utf16Be };
    void Decide();
    void Take(std::string_view bytes);
    void Scan(std::string_view block, bool atEnd);
    Mark m_mark = Mark::Unknown;
    std::size_t m_skip = 0;  // bytes of the mark not yet passed
    std::string m_head;      // the first bytes, until there are enough to tell the byte-order mark
    std::string m_carry;     // bytes after the last place no character or escape sequence can straddle
    LineBreakScanner m_breaks;
    bool m_oddByte = false;  // UTF-16: a byte of a unit cut by the piece's end
    char m_odd = 0;
    bool m_sevenBit = true, m_jisEscape = false, m_utf8 = true, m_multiByte = false;
    std::optional<long long> m_eucScore = 0, m_sjisScore = 0;
};

}  // namespace tovel
