// What the save-format chooser offers, where it starts for a document's format, and what a choice saves as.
#include "document/format_choice.h"

#include <gtest/gtest.h>

#include <string>

namespace tovel {
namespace {

TEST(FormatChoice, StartsOnTheEntryOfTheCurrentFormat) {
    struct Row {
        const char* name;
        TextFormat current;
        const char* encoding;  // the caption the chooser starts on
        const char* lineBreak;
    };
    const Row rows[] = {
        {"Shift-JIS", {Encoding::ShiftJis, false, LineBreak::CrLf}, "Shift_JIS", "CRLF"},
        {"UTF-8 without the mark", {Encoding::Utf8, false, LineBreak::Lf}, "UTF-8", "LF"},
        {"UTF-8 with the mark", {Encoding::Utf8, true, LineBreak::Cr}, "UTF-8 (BOM)", "CR"},
        {"UTF-16 LE", {Encoding::Utf16Le, true, LineBreak::CrLf}, "UTF-16 LE", "CRLF"},
        {"UTF-16 BE read without a mark", {Encoding::Utf16Be, false, LineBreak::Lf}, "UTF-16 BE", "LF"},
        {"EUC-JP", {Encoding::EucJp, false, LineBreak::Lf}, "EUC-JP", "LF"},
        {"JIS", {Encoding::Iso2022Jp, false, LineBreak::CrLf}, "JIS", "CRLF"},
        {"mixed breaks no entry offers", {Encoding::ShiftJis, false, LineBreak::Mixed}, "Shift_JIS", "CRLF"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_STREQ(EncodingChoices()[EncodingChoiceIndex(row.current)].caption, row.encoding);
        EXPECT_STREQ(LineBreakChoices()[LineBreakChoiceIndex(row.current.lineBreak)].caption, row.lineBreak);
    }
}

// Every pair of entries saves as what it says, UTF-16 always with its mark; the start of a format saves it
// back unchanged, so OK at once changes nothing.
TEST(FormatChoice, EveryChoiceSavesAsItsCaptionSays) {
    ASSERT_EQ(EncodingChoices().size(), 7u);
    ASSERT_EQ(LineBreakChoices().size(), 3u);
    for (int e = 0; e < 7; ++e) {
        for (int l = 0; l < 3; ++l) {
            const TextFormat chosen = ChosenFormat(e, l);
            SCOPED_TRACE(DisplayName(chosen));
            EXPECT_EQ(EncodingName(chosen.encoding, chosen.bom), EncodingChoices()[e].caption);
            EXPECT_EQ(LineBreakName(chosen.lineBreak), LineBreakChoices()[l].caption);
            EXPECT_EQ(EncodingChoiceIndex(chosen), e);
            EXPECT_EQ(LineBreakChoiceIndex(chosen.lineBreak), l);
        }
    }
    EXPECT_EQ(ChosenFormat(-1, 9), (TextFormat{Encoding::ShiftJis, false, LineBreak::CrLf}))
        << "no entry chosen takes the first";
}

TEST(FormatChoice, MixedBreaksStartOnTheTextsFirstBreak) {
    struct Row {
        std::string text;
        LineBreak current;
        LineBreak start;
    };
    const Row rows[] = {
        {"a\nb\r\nc", LineBreak::Mixed, LineBreak::Lf},   {"a\rb\nc", LineBreak::Mixed, LineBreak::Cr},
        {"a\r\nb\rc", LineBreak::Mixed, LineBreak::CrLf}, {"", LineBreak::Mixed, LineBreak::CrLf},
        {"a\nb\r\nc", LineBreak::Cr, LineBreak::Cr},  // only Mixed is replaced
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const TextFormat current{Encoding::Utf8, true, row.current};
        EXPECT_EQ(StartingFormat(current, row.text), (TextFormat{Encoding::Utf8, true, row.start}));
    }
}

}  // namespace
}  // namespace tovel
