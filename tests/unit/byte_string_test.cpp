#include "platform/byte_string.h"

#include <gtest/gtest.h>

namespace tovel {
namespace {

TEST(NormalizeLineBreaks, EveryBreakBecomesCrLf) {
    EXPECT_EQ(NormalizeLineBreaks(""), "");
    EXPECT_EQ(NormalizeLineBreaks("a\nb\rc"), "a\r\nb\r\nc");
    EXPECT_EQ(NormalizeLineBreaks("a\r\nb"), "a\r\nb");
    EXPECT_EQ(NormalizeLineBreaks("\n\r"), "\r\n\r\n");  // LF then CR: two breaks
    EXPECT_EQ(NormalizeLineBreaks("\r\r\n\n"), "\r\n\r\n\r\n");
    EXPECT_EQ(NormalizeLineBreaks("end\r"), "end\r\n");
}

TEST(NormalizeLineBreaks, BreaksAreBreaksWhateverByteStandsBeforeThem) {
    // 表 is 0x95 0x5C: its trail byte stays. A lead byte never takes a CR or LF along: あ in UTF-8
    // (E3 81 82) ends in a Shift-JIS lead byte, and its CR LF must stay CR LF, not become CR CR LF.
    EXPECT_EQ(NormalizeLineBreaks("\x95\x5c\n"), "\x95\x5c\r\n");
    EXPECT_EQ(NormalizeLineBreaks("\x82\na"), "\x82\r\na");
    EXPECT_EQ(NormalizeLineBreaks("\xe3\x81\x82\r\n\xe3\x81\x82\r"), "\xe3\x81\x82\r\n\xe3\x81\x82\r\n");
    EXPECT_EQ(NormalizeLineBreaks("\x82\r\x82"), "\x82\r\n\x82");
    EXPECT_EQ(NormalizeLineBreaks("a\x82"), "a\x82");  // lead byte at the very end
    EXPECT_EQ(NormalizeLineBreaks(std::string("a\0b\n", 4)), std::string("a\0b\r\n", 5));
    // Normalising twice changes nothing more.
    const std::string once = NormalizeLineBreaks("\x82\n\r\x95\r\r\n");
    EXPECT_EQ(NormalizeLineBreaks(once), once);
}

TEST(SplitLines, BreaksAndTheFinalLine) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(SplitLines(""), V{});
    EXPECT_EQ(SplitLines("abc"), V{"abc"});
    EXPECT_EQ(SplitLines("abc\r\n"), V{"abc"});
    EXPECT_EQ(SplitLines("a\nb\rc\r\nd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitLines("a\n\rb"), (V{"a", "", "b"}));
    EXPECT_EQ(SplitLines("\r\n\r\n"), (V{"", ""}));
}

TEST(JoinLines, EachLineEndsWithCrLf) {
    EXPECT_EQ(JoinLines({}), "");
    EXPECT_EQ(JoinLines({"p", "q"}), "p\r\nq\r\n");
    EXPECT_EQ(JoinLines({"p", "q", "r\r\n"}), "p\r\nq\r\nr\r\n\r\n");
}

}  // namespace
}  // namespace tovel
