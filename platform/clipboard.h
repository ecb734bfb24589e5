#pragma once
// Plain-text (CF_TEXT) clipboard. Contract: reading gives the text up to its first NUL, or "" when the
// clipboard holds no text; both raise "クリップボードを開くことができません" when it cannot be opened.
#include <string>
#include <string_view>

namespace tovel {

class IClipboard {
public:
    virtual ~IClipboard() = default;
    virtual std::string ReadText() = 0;
    virtual void WriteText(std::string_view text) = 0;
};

}  // namespace tovel
