#pragma once
// Plain-text clipboard. Contract: writing puts the bytes exactly as plain text (CF_TEXT), which is what
// reading gives back, with a Unicode rendering beside it for other programs; a text larger than the
// clipboard's limit is refused before the clipboard is touched. Reading gives the plain text up to its
// first NUL, or "" when the clipboard holds no text. Both raise "クリップボードを開くことができません"
// when it cannot be opened.
//
// The Unicode pair serves text held as UTF-8. Writing puts the text exactly as Unicode text
// (CF_UNICODETEXT) with a Shift-JIS rendering beside it for older programs, in which a character Shift-JIS
// lacks may become "?"; the same limit applies, counted in UTF-8 bytes. Reading gives the Unicode text as
// UTF-8 up to its first NUL; when the clipboard's text is plain text only (put there by an older program,
// or by a Shift-JIS document), that text read as Shift-JIS. Nothing is ever replaced by a stand-in: where
// a character does not convert (a byte that makes no Shift-JIS character, half of a surrogate pair), the
// text stops and UnconvertedClipboardText is raised with what came before it. A UTF-8 text to write that is
// not well-formed is refused with the same message, before the clipboard is touched.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/error.h"

namespace tovel {

// The largest text this program puts on the clipboard: 256 MB. Each copy goes to the window system in
// one piece, and with the Unicode rendering (up to twice the bytes) beside it; under Wine a single piece
// near 2 GB ends the process, so the limit stays well below that and within reach of a 64-bit Windows.
inline constexpr std::size_t kClipboardMaxBytes = std::size_t{256} << 20;

inline constexpr char kUnconvertedClipboardMessage[] = "クリップボードの文字列を変換できません";

// The clipboard's text stops at a character that cannot be converted; `converted` is the text before it.
class UnconvertedClipboardText : public Error {
public:
    explicit UnconvertedClipboardText(std::string converted)
        : Error(kUnconvertedClipboardMessage), m_converted(std::move(converted)) {}
    const std::string& Converted() const { return m_converted; }

private:
    std::string m_converted;
};

class IClipboard {
public:
    virtual ~IClipboard() = default;
    virtual std::string ReadText() = 0;
    virtual void WriteText(std::string_view text) = 0;
    virtual std::string ReadUnicodeText() = 0;
    virtual void WriteUnicodeText(std::string_view utf8) = 0;
};

}  // namespace tovel
