#pragma once
// Conversions between the system's Shift-JIS (code page 932, with its NEC and IBM extensions) and UTF-8.
// Contract: a conversion is exact or it says where it is not. `text` holds the converted text up to the
// first character that has no exact form on the other side (a byte sequence that makes no Shift-JIS
// character, invalid UTF-8, a character code page 932 lacks, or one that would come back as another);
// `failedAt` is that character's byte offset in the source, nothing when the whole text converted. No
// character is ever replaced by a stand-in such as "?". Line breaks and every ASCII byte pass unchanged.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tovel {

struct Conversion {
    std::string text;
    std::optional<std::size_t> failedAt;
    bool Exact() const { return !failedAt; }
};

class ICodePage {
public:
    virtual ~ICodePage() = default;
    virtual Conversion ShiftJisToUtf8(std::string_view shiftJis) = 0;
    virtual Conversion Utf8ToShiftJis(std::string_view utf8) = 0;
};

}  // namespace tovel
