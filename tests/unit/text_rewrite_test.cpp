#include "tools/text_rewrite.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <set>

#include "platform/error.h"
#include "platform/sjis.h"

namespace tovel {
namespace {

constexpr auto npos = std::string::npos;

TEST(FindWholeTest, MatchesOnlyWholeCharacters) {
    struct Case {
        std::string text, needle;
        std::size_t at;
    } cases[] = {
        {"xyab", "ab", 2},
        {"\x83"
         "AA",
         "A", 2},                    // the first A is the trail byte of 0x83 0x41
        {"表\\", "\\", 2},           // 表 is 0x95 0x5C
        {"表示", "\x5C\x8E", npos},  // bytes across two characters
        {"\x83"
         "A",
         "\x83", npos},  // would end inside the character
        {"abc", "", npos},
        {"", "a", npos},
        {"\x83 A", "\x83", 0},  // a lead byte before a space stands alone
    };
    for (const Case& c : cases) EXPECT_EQ(FindWhole(c.text, c.needle), c.at) << c.text << " / " << c.needle;
}

TEST(ReplaceAllTest, RepeatsFromTheStartUntilNoneIsLeft) {
    struct Case {
        std::string text, search, replacement, result;
    } cases[] = {
        {"abbb", "ab", "a", "a"},
        {"aaa", "a", "b", "bbb"},
        {"aabb", "ab", "", ""},
        {"abc", "", "x", "abc"},
        {"xaXa", "a", "aa", "xaaXaa"},  // the replacement holds the search string: once each
        {"\x83"
         "AA",
         "A", "B",
         "\x83"
         "AB"},  // a trail byte is never replaced
        {"表\\表", "\\", "/", "表/表"},
        {"\x83 x", " ", "A",
         "\x83"
         "Ax"},  // the lone lead byte then takes the A as its trail
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReplaceAll(c.text, c.search, c.replacement), c.result)
            << c.text << ": " << c.search << " -> " << c.replacement;
    }
}

TEST(ReplaceAllTest, EmptyViewsWithoutAPointerAreEmptyTexts) {
    // memcpy from a null pointer is undefined even for no bytes; the sanitizers stop the run on it.
    EXPECT_EQ(ReplaceAll(std::string_view{}, "a", "b"), "");
    EXPECT_EQ(DeleteAll(std::string_view{}, "a"), "");
    EXPECT_EQ(ReplaceAll("xa", "a", std::string_view{}), "x");
}

TEST(ReplaceAllTest, CharactersAreCountedFromTheStartOfLongRunsOfLeadBytes) {
    // 亜 is 0x88 0x9F: both bytes can start a character, so only the run's start tells how they pair.
    std::string run;
    for (int i = 0; i < 300; ++i) run += "亜";
    const std::string xs(300, 'x');
    EXPECT_EQ(DeleteAll(run + xs, "亜x"), "") << "each deletion forms the next one";
    EXPECT_EQ(DeleteAll("\x88" + run + xs, "亜x"), "\x88" + run + xs) << "shifted by one byte: no whole match";
    EXPECT_EQ(FindWhole("\x88" + run, "亜"), npos);
}

TEST(ReplaceAllTest, StopsWithAnErrorWhenTheTextKeepsGrowingOrTheReplacementsNeverEnd) {
    try {
        ReplaceAll("aab", "ab", "bbaa", 1000);  // each replacement forms the next one, the text ever longer
        FAIL();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("大きくなりすぎる"), npos);
    }
    EXPECT_EQ(ReplaceAll("aaabbb", "ab", "ba", 9), "bbbaaa") << "nine replacements sort it";
    EXPECT_THROW(ReplaceAll("aaabbb", "ab", "ba", 8), Error);
    EXPECT_THROW(RepeatedPaste("xy", 1000, npos, 1999), Error);
}

TEST(RepeatedPasteTest, BehavesAsSinglePastesUnderTheByteLimit) {
    EXPECT_EQ(RepeatedPaste("xy", 3, npos), "xyxyxy");
    EXPECT_EQ(RepeatedPaste("xy", 0, npos), "");
    EXPECT_EQ(RepeatedPaste("a表", 3, 5), "a表aa") << "the second paste keeps a, so does the third";
    EXPECT_EQ(RepeatedPaste("表a", 3, 4), "表a");
    EXPECT_EQ(RepeatedPaste("a\r\n", 5, 4), "a\r\na");
}

// ---- the linear rewrite against a literal one on random short texts ---------------------------------

bool IsBoundary(const std::string& t, std::size_t at) {
    std::size_t pos = 0;
    while (pos < at) pos = NextCharPos(t, pos);
    return pos == at;
}

std::size_t LiteralFind(const std::string& t, const std::string& s) {
    for (std::size_t p = 0; !s.empty() && p + s.size() <= t.size(); ++p) {
        if (t.compare(p, s.size(), s) == 0 && IsBoundary(t, p) && IsBoundary(t, p + s.size())) return p;
    }
    return npos;
}

// nullopt where the literal rule raises.
std::optional<std::string> LiteralReplace(const std::string& text, const std::string& s, const std::string& r,
                                          std::size_t limit) {
    if (s.empty()) return text;
    if (r.find(s) != npos) {  // once each, left to right, over the original text
        std::string out;
        std::size_t p = 0;
        while (p < text.size()) {
            if (text.compare(p, s.size(), s) == 0 && IsBoundary(text, p) && IsBoundary(text, p + s.size())) {
                out += r;
                p += s.size();
            } else {
                out += text[p++];
            }
        }
        if (out.size() > std::max(limit, text.size())) return std::nullopt;
        return out;
    }
    std::string t = text;
    for (std::size_t count = 1;; ++count) {
        const std::size_t p = LiteralFind(t, s);
        if (p == npos) return t;
        t.replace(p, s.size(), r);
        if (count > limit || t.size() > std::max(limit, text.size())) return std::nullopt;
    }
}

TEST(ReplaceAllTest, LinearRewriteGivesTheLiteralResultOnRandomTexts) {
    const char alphabet[] = {'a', 'b', '\x83', ' '};  // trail bytes, a lead byte, a byte that is no trail
    std::mt19937 random(9);
    auto word = [&](int minLength, int maxLength) {
        std::string w(std::uniform_int_distribution<int>(minLength, maxLength)(random), 'a');
        for (char& c : w) c = alphabet[random() % 4];
        return w;
    };
    std::set<std::string> failures;
    int replaced = 0, refused = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string text = word(0, 12), s = word(1, 3), r = word(0, 4);
        const auto expected = LiteralReplace(text, s, r, 20);
        std::optional<std::string> got;
        try {
            got = ReplaceAll(text, s, r, 20);
        } catch (const Error&) {
        }
        if (got != expected) failures.insert("[" + text + "] [" + s + "] -> [" + r + "]");
        if (expected && *expected != text) ++replaced;
        if (!expected) ++refused;
        EXPECT_EQ(FindWhole(text, s), LiteralFind(text, s)) << text << " / " << s;
    }
    EXPECT_TRUE(failures.empty()) << failures.size() << " differ, e.g. " << *failures.begin();
    EXPECT_GT(replaced, 5000) << "the cases should mostly change something";
    EXPECT_GT(refused, 50) << "and some should reach the limits";
}

}  // namespace
}  // namespace tovel
