#pragma once
#include <windows.h>

#include "platform/clipboard.h"

namespace tovel {

class Win32Clipboard : public IClipboard {
public:
    explicit Win32Clipboard(HWND owner) : m_owner(owner) {}
    std::string ReadText() override;
    void WriteText(std::string_view text) override;

private:
    HWND m_owner;
};

}  // namespace tovel
