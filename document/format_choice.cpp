#include "document/format_choice.h"

namespace tovel {
namespace {

constexpr EncodingChoice kEncodings[] = {
    {"Shift_JIS", Encoding::ShiftJis, false}, {"UTF-8", Encoding::Utf8, false},
    {"UTF-8 (BOM)", Encoding::Utf8, true},    {"UTF-16 LE", Encoding::Utf16Le, true},
    {"UTF-16 BE", Encoding::Utf16Be, true},   {"EUC-JP", Encoding::EucJp, false},
    {"JIS", Encoding::Iso2022Jp, false},
};

constexpr LineBreakChoice kLineBreaks[] = {
    {"CRLF", LineBreak::CrLf},
    {"LF", LineBreak::Lf},
    {"CR", LineBreak::Cr},
};

template <class Table>
int IndexOr0(const Table& table, int index) {
    return index >= 0 && index < static_cast<int>(std::size(table)) ? index : 0;
}

}  // namespace

std::span<const EncodingChoice> EncodingChoices() { return kEncodings; }
std::span<const LineBreakChoice> LineBreakChoices() { return kLineBreaks; }

int EncodingChoiceIndex(const TextFormat& current) {
    // Only UTF-8 is offered both with and without the mark; elsewhere the encoding alone decides.
    const bool utf8 = current.encoding == Encoding::Utf8;
    for (int i = 0; i < static_cast<int>(std::size(kEncodings)); ++i) {
        if (kEncodings[i].encoding == current.encoding && (!utf8 || kEncodings[i].bom == current.bom)) return i;
    }
    return 0;
}

int LineBreakChoiceIndex(LineBreak lineBreak) {
    for (int i = 0; i < static_cast<int>(std::size(kLineBreaks)); ++i) {
        if (kLineBreaks[i].lineBreak == lineBreak) return i;
    }
    return 0;
}

TextFormat ChosenFormat(int encodingIndex, int lineBreakIndex) {
    const EncodingChoice& encoding = kEncodings[IndexOr0(kEncodings, encodingIndex)];
    return {encoding.encoding, encoding.bom, kLineBreaks[IndexOr0(kLineBreaks, lineBreakIndex)].lineBreak};
}

TextFormat StartingFormat(const TextFormat& current, std::string_view heldText) {
    TextFormat start = current;
    if (start.lineBreak == LineBreak::Mixed) start.lineBreak = EnterLineBreak(heldText);
    return start;
}

}  // namespace tovel
