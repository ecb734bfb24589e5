#pragma once
// The choice of a format to save in: what the chooser offers and how a choice becomes a TextFormat.
#include <optional>
#include <span>
#include <string_view>

#include "document/text_format.h"

namespace tovel {

class IFormatChooser {
public:
    virtual ~IFormatChooser() = default;
    // The format to save in, starting from `current`; nothing when cancelled. A document with mixed breaks
    // is offered its text's first break: pass StartingFormat(current, text).
    virtual std::optional<TextFormat> ChooseFormat(const TextFormat& current) = 0;
};

// One encoding the chooser offers. The byte-order mark comes with the encoding: UTF-8 both ways, UTF-16
// always with it.
struct EncodingChoice {
    const char* caption;
    Encoding encoding;
    bool bom;
};
// Shift_JIS, UTF-8, UTF-8 (BOM), UTF-16 LE, UTF-16 BE, EUC-JP, JIS, in this order.
std::span<const EncodingChoice> EncodingChoices();

struct LineBreakChoice {
    const char* caption;
    LineBreak lineBreak;
};
// CRLF, LF, CR, in this order.
std::span<const LineBreakChoice> LineBreakChoices();

// Where the chooser starts for `current`: the index of its encoding (a UTF-16 format without a mark still
// starts on its UTF-16 entry) and of its break (Mixed, which no entry offers, on CRLF).
int EncodingChoiceIndex(const TextFormat& current);
int LineBreakChoiceIndex(LineBreak lineBreak);
// The format the two chosen entries stand for; an index out of range takes the first entry.
TextFormat ChosenFormat(int encodingIndex, int lineBreakIndex);

// `current`, with a Mixed break replaced by the first break of the held text (CRLF when it has none).
TextFormat StartingFormat(const TextFormat& current, std::string_view heldText);

}  // namespace tovel
