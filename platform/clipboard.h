#pragma once
// Plain-text clipboard. Contract: writing puts the bytes exactly as plain text (CF_TEXT), which is what
// reading gives back, with a Unicode rendering beside it for other programs; a text larger than the
// clipboard's limit is refused before the clipboard is touched. Reading gives the plain text up to its
// first NUL, or "" when the clipboard holds no text. Both raise "クリップボードを開くことができません"
// when it cannot be opened.
#include <cstddef>
#include <string>
#include <string_view>

namespace tovel {

// The largest text this program puts on the clipboard: 256 MB. Each copy goes to the window system in
// one piece, and with the Unicode rendering (up to twice the bytes) beside it; under Wine a single piece
// near 2 GB ends the process, so the limit stays well below that and within reach of a 64-bit Windows.
inline constexpr std::size_t kClipboardMaxBytes = std::size_t{256} << 20;

class IClipboard {
public:
    virtual ~IClipboard() = default;
    virtual std::string ReadText() = 0;
    virtual void WriteText(std::string_view text) = 0;
};

}  // namespace tovel
