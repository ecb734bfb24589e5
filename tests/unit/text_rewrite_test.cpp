#include "tools/text_rewrite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <set>

#include "platform/error.h"
#include "platform/sjis.h"
#include "tests/unit/fake_code_page.h"

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

// A long rewrite tells its progress, rising to the text's size, on both of its paths; one stopped by the
// progress raises and leaves nothing half done behind.
TEST(ReplaceAllTest, TellsItsProgressAndCanBeStopped) {
    const std::string text(20u << 20, 'a');
    struct Case {
        const char* name;
        std::string search, replacement;
    } cases[] = {{"repeat from the start", "a", "b"}, {"each once", "a", "aa"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::size_t> seen;
        const std::string out = ReplaceAll(text, c.search, c.replacement, std::size_t{1} << 30, CharRule::ShiftJis,
                                           [&](std::size_t done, std::size_t total) {
                                               EXPECT_EQ(total, text.size());
                                               seen.push_back(done);
                                           });
        ASSERT_GE(seen.size(), 3u);
        EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
        EXPECT_LE(seen.back(), text.size());
        EXPECT_EQ(out.size(), text.size() * c.replacement.size());

        struct Stop {};
        int calls = 0;
        EXPECT_THROW(ReplaceAll(text, c.search, c.replacement, std::size_t{1} << 30, CharRule::ShiftJis,
                                [&](std::size_t, std::size_t) {
                                    if (++calls == 2) throw Stop{};
                                }),
                     Stop);
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

// ---- UTF-8 ------------------------------------------------------------------------------------------

// あ E3 81 82, い E3 81 84, 日 E6 97 A5, é C3 A9, 😀 F0 9F 98 80.
using test::U8;

TEST(Utf8RulesTest, MatchesAndCutsNeverFallInsideACharacter) {
    const CharRule u = CharRule::Utf8;
    struct Find {
        std::string text, needle;
        std::size_t at;
    } finds[] = {
        {U8(u8"xあいy"), U8(u8"い"), 4},
        {U8(u8"あい"), "\x81", npos},      // a continuation byte alone
        {U8(u8"あい"), "\x82\xE3", npos},  // across two characters
        {U8(u8"あい"), "\xE3\x81", npos},  // would end inside あ
        {U8(u8"é😀e"), "e", 6},             // a two-byte and a four-byte character before it
        {U8(u8"日本語"), U8(u8"本語"), 3},
        {"a\x81"
         "b",
         "b", 2},  // a stray continuation byte before: still whole at b
        {"\x83"
         "A",
         "A", 1},  // no Shift-JIS pairing in UTF-8
    };
    for (const Find& f : finds) EXPECT_EQ(FindWhole(f.text, f.needle, u), f.at) << f.text << " / " << f.needle;

    struct Replace {
        std::string text, search, replacement, result;
    } replaces[] = {
        {U8(u8"あいあ"), U8(u8"あ"), U8(u8"日本"), U8(u8"日本い日本")},
        {U8(u8"あい"), "\x81", "x", U8(u8"あい")},                 // never inside a character
        {U8(u8"ああいい"), U8(u8"あい"), "", ""},                  // each deletion forms the next one
        {U8(u8"xあx"), U8(u8"あ"), U8(u8"ああ"), U8(u8"xああx")},  // the replacement holds the search string: once each
        {U8(u8"日本語"), "\xE6", "?", U8(u8"日本語")},             // a lead byte alone matches no whole character
        {"a\r\nb", "\r\n", "\n", "a\nb"},
    };
    for (const Replace& r : replaces) {
        EXPECT_EQ(ReplaceAll(r.text, r.search, r.replacement, kRewriteLimit, u), r.result)
            << r.text << ": " << r.search;
    }
    EXPECT_EQ(DeleteAll(U8(u8"日あ日"), U8(u8"日"), kRewriteLimit, u), U8(u8"あ"));

    struct Cut {
        std::string text;
        std::size_t bytes, whole, fits;
    } cuts[] = {
        {U8(u8"aあb"), 3, 1, 1}, {U8(u8"aあb"), 4, 4, 4}, {U8(u8"aあb"), 9, 5, 5},
        {U8(u8"😀"), 3, 0, 0},    {"a\r\nb", 2, 2, 1},  // a paste never keeps a CR without its LF
        {"", 3, 0, 0},
    };
    for (const Cut& c : cuts) {
        EXPECT_EQ(WholeCharsWithin(c.text, c.bytes, u), c.whole) << c.text << " " << c.bytes;
        EXPECT_EQ(FitsWithin(c.text, c.bytes, u), c.fits) << c.text << " " << c.bytes;
    }
    EXPECT_EQ(RepeatedPaste(U8(u8"aあ"), 3, 9, kRewriteLimit, u), U8(u8"aあaあa")) << "the third paste keeps a";
    EXPECT_EQ(RepeatedPaste(U8(u8"あa"), 3, 5, kRewriteLimit, u), U8(u8"あa")) << "no paste keeps part of a character";
}

// ---- the linear rewrite against a literal one on random short texts ---------------------------------

bool IsBoundary(const std::string& t, std::size_t at, CharRule rule = CharRule::ShiftJis) {
    if (rule == CharRule::Utf8) return at >= t.size() || !IsUtf8Continuation(t[at]);
    std::size_t pos = 0;
    while (pos < at) pos = NextCharPos(t, pos);
    return pos == at;
}

std::size_t LiteralFind(const std::string& t, const std::string& s, CharRule rule = CharRule::ShiftJis) {
    for (std::size_t p = 0; !s.empty() && p + s.size() <= t.size(); ++p) {
        if (t.compare(p, s.size(), s) == 0 && IsBoundary(t, p, rule) && IsBoundary(t, p + s.size(), rule)) return p;
    }
    return npos;
}

// nullopt where the literal rule raises.
std::optional<std::string> LiteralReplace(const std::string& text, const std::string& s, const std::string& r,
                                          std::size_t limit, CharRule rule = CharRule::ShiftJis) {
    if (s.empty()) return text;
    if (r.find(s) != npos) {  // once each, left to right, over the original text
        std::string out;
        std::size_t p = 0;
        while (p < text.size()) {
            if (text.compare(p, s.size(), s) == 0 && IsBoundary(text, p, rule) &&
                IsBoundary(text, p + s.size(), rule)) {
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
        const std::size_t p = LiteralFind(t, s, rule);
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

// The same with UTF-8 lead and continuation bytes, in valid and broken sequences alike.
TEST(ReplaceAllTest, LinearRewriteGivesTheLiteralResultOnRandomUtf8Texts) {
    const char alphabet[] = {'a', '\xE3', '\x81', '\x82'};
    std::mt19937 random(11);
    auto word = [&](int minLength, int maxLength) {
        std::string w(std::uniform_int_distribution<int>(minLength, maxLength)(random), 'a');
        for (char& c : w) c = alphabet[random() % 4];
        return w;
    };
    std::set<std::string> failures;
    int replaced = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string text = word(0, 12), s = word(1, 4), r = word(0, 4);
        const auto expected = LiteralReplace(text, s, r, 20, CharRule::Utf8);
        std::optional<std::string> got;
        try {
            got = ReplaceAll(text, s, r, 20, CharRule::Utf8);
        } catch (const Error&) {
        }
        if (got != expected) failures.insert("[" + text + "] [" + s + "] -> [" + r + "]");
        if (expected && *expected != text) ++replaced;
        EXPECT_EQ(FindWhole(text, s, CharRule::Utf8), LiteralFind(text, s, CharRule::Utf8)) << text << " / " << s;
    }
    EXPECT_TRUE(failures.empty()) << failures.size() << " differ, e.g. " << *failures.begin();
    EXPECT_GT(replaced, 1000) << "the cases should often change something";
}

}  // namespace
}  // namespace tovel
