#pragma once
// Shift-JIS <-> UTF-8 through the system's code page 932 tables, exact or refused per character.
#include "platform/code_page.h"

namespace tovel {

class Win32CodePage : public ICodePage {
public:
    Conversion ShiftJisToUtf8(std::string_view shiftJis) override;
    Conversion Utf8ToShiftJis(std::string_view utf8) override;
};

}  // namespace tovel
