#pragma once
// The choice of a format to save in (encoding with its byte-order mark, and line-break style).
#include <optional>

#include "document/text_format.h"

namespace tovel {

class IFormatChooser {
public:
    virtual ~IFormatChooser() = default;
    // The format to save in, starting from `current`; nothing when cancelled.
    virtual std::optional<TextFormat> ChooseFormat(const TextFormat& current) = 0;
};

}  // namespace tovel
