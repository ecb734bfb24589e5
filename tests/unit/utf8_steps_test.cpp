// Stepping through text held as UTF-8, and how much of a typed or pasted text fits the byte limit.
#include "platform/utf8_steps.h"

#include <gtest/gtest.h>

#include <string>

namespace tovel {
namespace {

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(NextUtf8CharPos, WholeCharactersAndMalformedBytesAlone) {
    struct Case {
        const char* name;
        std::string text;
        std::size_t pos, next;
    } cases[] = {
        {"ascii", "ab", 0, 1},
        {"two bytes", U8(u8"é"), 0, 2},
        {"three bytes", U8(u8"日本"), 3, 6},
        {"four bytes", U8(u8"😀x"), 0, 4},
        {"stray continuation byte", "\x80\x80", 0, 1},
        {"cut at the end", "\xE3\x81", 0, 1},
        {"lead then ascii",
         "\xE3"
         "a\x82",
         0, 1},
        {"overlong two bytes", "\xC0\xAF", 0, 1},
        {"overlong three bytes", "\xE0\x80\xAF", 0, 1},
        {"surrogate", "\xED\xA0\x80", 0, 1},
        {"past U+10FFFF", "\xF4\x90\x80\x80", 0, 1},
        {"highest code point", "\xF4\x8F\xBF\xBF", 0, 4},
        {"not a lead byte", "\xF8\x80\x80\x80\x80", 0, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(NextUtf8CharPos(c.text, c.pos), c.next) << c.name;
}

TEST(Utf8PasteFits, CutsOnlyBetweenWholeCharactersAndNeverInsideCrLf) {
    const std::string emoji = U8(u8"a😀b");  // 1 + 4 + 1 bytes
    const std::string kanji = U8(u8"日本語");
    struct Case {
        const char* name;
        std::string text;
        std::size_t room, fits;
    } cases[] = {
        {"everything fits", emoji, 6, 6},
        {"no room", emoji, 0, 0},
        {"emoji cut after its first byte", emoji, 2, 1},
        {"emoji cut before its last byte", emoji, 4, 1},
        {"emoji whole", emoji, 5, 5},
        {"kanji cut in its middle", kanji, 5, 3},
        {"kanji whole", kanji, 6, 6},
        {"CR LF not split", "a\r\nb", 2, 1},
        {"CR LF whole", "a\r\nb", 3, 3},
        {"lone CR kept", "a\rb", 2, 2},
        {"malformed bytes one by one",
         "\xE3\x81"
         "a",
         1, 1},
        {"a character before CR LF", U8(u8"é\r\n"), 3, 2},
    };
    for (const Case& c : cases) EXPECT_EQ(Utf8PasteFits(c.text, c.room), c.fits) << c.name;
}

}  // namespace
}  // namespace tovel
