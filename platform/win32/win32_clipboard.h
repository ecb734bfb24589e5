#pragma once
#include <windows.h>

#include "platform/clipboard.h"

namespace tovel {

class Win32Clipboard : public IClipboard {
public:
    explicit Win32Clipboard(HWND owner, std::size_t maxBytes = kClipboardMaxBytes)
        : m_owner(owner), m_maxBytes(maxBytes) {}
    std::string ReadText() override;
    // Raises the refusal for a text above the limit, and "メモリが足りません" when the copy cannot be
    // made; either way the clipboard keeps what it held.
    void WriteText(std::string_view text) override;
    std::string ReadUnicodeText() override;
    // Refuses as WriteText does, and UTF-8 that is not well-formed with "クリップボードの文字列を変換できません".
    void WriteUnicodeText(std::string_view utf8) override;

private:
    HWND m_owner;
    std::size_t m_maxBytes;
};

}  // namespace tovel
