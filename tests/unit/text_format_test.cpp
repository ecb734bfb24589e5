// Text formats: detection, exact loads and saves, what a format cannot hold, line breaks. The file bytes
// of EUC-JP, JIS and UTF-16 below were written by iconv from the same sentences; the Shift-JIS texts are
// the compiler's code page 932 literals and the UTF-8 texts u8 literals.
#include "document/text_format.h"

#include <gtest/gtest.h>

#include "platform/error.h"

namespace tovel {
namespace {

using namespace std::literals;

std::string U8(std::u8string_view text) { return {reinterpret_cast<const char*>(text.data()), text.size()}; }
std::string Bytes(std::string_view text) { return std::string(text); }

constexpr auto Sjis = Encoding::ShiftJis;
constexpr auto Utf8 = Encoding::Utf8;
constexpr auto Le = Encoding::Utf16Le;
constexpr auto Be = Encoding::Utf16Be;
constexpr auto Euc = Encoding::EucJp;
constexpr auto Jis = Encoding::Iso2022Jp;
constexpr auto CrLf = LineBreak::CrLf;
constexpr auto Lf = LineBreak::Lf;
constexpr auto Cr = LineBreak::Cr;
constexpr auto Mixed = LineBreak::Mixed;

// 吾輩は猫である。名前はまだ無い。 / どこで生れたかとんと見当がつかぬ。 with CR LF breaks, in each format.
const std::string kNekoSjis = "吾輩は猫である。名前はまだ無い。\r\nどこで生れたかとんと見当がつかぬ。\r\n";
const std::string kNekoUtf8 = U8(u8"吾輩は猫である。名前はまだ無い。\r\nどこで生れたかとんと見当がつかぬ。\r\n");
const std::string kNekoEuc =
    "\xb8\xe3\xc7\xda\xa4\xcf\xc7\xad\xa4\xc7\xa4\xa2\xa4\xeb\xa1\xa3\xcc\xbe\xc1\xb0\xa4\xcf\xa4\xde\xa4\xc0\xcc"
    "\xb5\xa4\xa4\xa1\xa3\r\n\xa4\xc9\xa4\xb3\xa4\xc7\xc0\xb8\xa4\xec\xa4\xbf\xa4\xab\xa4\xc8\xa4\xf3\xa4\xc8\xb8"
    "\xab\xc5\xf6\xa4\xac\xa4\xc4\xa4\xab\xa4\xcc\xa1\xa3\r\n";
const std::string kNekoJis =
    "\x1b$B8cGZ$OG-$G$\x22$k!#L>A0$O$^$@L5$$!#\x1b(B\r\n\x1b$B$I$3$G@8$l$\x3f$+$H$s$H8+Ev$,$D$+$L!#\x1b(B\r\n";
const std::string kNekoLe = Bytes(
    ">T)\x8fo0+sg0B0\x8b"
    "0\x02"
    "0\x0dTMRo0~0`0!qD0\x02"
    "0\r\0\n\0i0S0g0\x1fu\x8c"
    "0_0K0h0\x93"
    "0h0\x8b\x89S_L0d0K0l0\x02"
    "0\r\0\n\0"sv);
const std::string kNekoBe = Bytes(
    "T>\x8f)0os+0g0B0\x8b"
    "0\x02T\x0dRM0o0~0`q!0D0\x02\0\r\0\n"
    "0i0S0gu\x1f"
    "0\x8c"
    "0_0K0h0\x93"
    "0h\x89\x8b_S0L0d0K0l0\x02\0\r\0\n"sv);

// カタカナとひらがな、漢字。ﾊﾝｶｸｶﾅ with LF, CR LF and CR breaks.
const std::string kMixedSjis = "カタカナとひらがな、漢字。ﾊﾝｶｸｶﾅ\nASCII text\r\n改行\r最後";
const std::string kMixedUtf8 = U8(u8"カタカナとひらがな、漢字。ﾊﾝｶｸｶﾅ\nASCII text\r\n改行\r最後");
const std::string kMixedEuc =
    "\xa5\xab\xa5\xbf\xa5\xab\xa5\xca\xa4\xc8\xa4\xd2\xa4\xe9\xa4\xac\xa4\xca\xa1\xa2\xb4\xc1\xbb\xfa\xa1\xa3\x8e"
    "\xca\x8e\xdd\x8e\xb6\x8e\xb8\x8e\xb6\x8e\xc5\nASCII text\r\n\xb2\xfe\xb9\xd4\r\xba\xc7\xb8\xe5";
const std::string kMixedBe = Bytes(
    "0\xab"
    "0\xbf"
    "0\xab"
    "0\xca"
    "0h0r0\x89"
    "0L0j0\x01o\x22[W0\x02\xff\x8a\xff\x9d\xffv\xffx\xffv\xff\x85\0\n\0A\0S\0C\0I\0I\0 \0t\0e\0x\0t\0\r\0\n"
    "e9\x88L\0\x0dg\0_\x8c"sv);

TEST(DetectFormat, EdgeCasesAndRealSentences) {
    struct Case {
        const char* name;
        std::string bytes;
        TextFormat expected;
    };
    const Case cases[] = {
        {"empty", "", {Sjis, false, CrLf}},
        {"ASCII only", "echo hi\n", {Sjis, false, Lf}},
        {"UTF-8 BOM alone", "\xEF\xBB\xBF", {Utf8, true, CrLf}},
        {"UTF-16 LE BOM alone", "\xFF\xFE", {Le, true, CrLf}},
        {"UTF-16 BE BOM alone", "\xFE\xFF", {Be, true, CrLf}},
        {"UTF-8 BOM then ASCII", "\xEF\xBB\xBFx\ry", {Utf8, true, Cr}},
        {"UTF-16 LE breaks read by units", "\xFF\xFE" + kNekoLe, {Le, true, CrLf}},
        {"UTF-16 BE mixed breaks", "\xFE\xFF" + kMixedBe, {Be, true, Mixed}},
        {"UTF-8 sentence", kNekoUtf8, {Utf8, false, CrLf}},
        {"UTF-8 cut inside its last character", kNekoUtf8 + "\xE3\x81", {Utf8, false, CrLf}},
        {"UTF-8 overlong at the end", U8(u8"あ") + "\xC0\x80", {Sjis, false, CrLf}},
        {"UTF-8 encoded surrogate", U8(u8"あ") + "\xED\xA0\x80", {Sjis, false, CrLf}},
        {"UTF-8 above U+10FFFF", U8(u8"あ") + "\xF4\x90\x80\x80", {Sjis, false, CrLf}},
        {"one short UTF-8 character", U8(u8"é"), {Utf8, false, CrLf}},
        {"Shift-JIS sentence", kNekoSjis, {Sjis, false, CrLf}},
        {"Shift-JIS with mixed breaks", kMixedSjis, {Sjis, false, Mixed}},
        {"Shift-JIS NEC and IBM characters", "①②Ⅲ㈱№纊褜", {Sjis, false, CrLf}},
        {"EUC-JP sentence", kNekoEuc, {Euc, false, CrLf}},
        {"EUC-JP katakana and half-width kana", kMixedEuc, {Euc, false, Mixed}},
        {"EUC-JP weather",
         "\xba\xa3\xc6\xfc\xa4\xcf\xce\xc9\xa4\xa4\xc5\xb7\xb5\xa4\xa4\xc7\xa4\xb9\xa4\xcd\xa1\xa3\xbb\xb6\xca\xe2\xa4"
         "\xcb\xb9\xd4\xa4\xad\xa4\xde\xa4\xb7\xa4\xe7\xa4\xa6\xa1\xa3",
         {Euc, false, CrLf}},
        {"EUC-JP kanji only", "\xc5\xec\xb5\xfe\xc5\xd4\xc0\xe9\xc2\xe5\xc5\xc4\xb6\xe8", {Euc, false, CrLf}},
        {"EUC-JP katakana word", "\xa5\xa2\xa5\xd6\xa5\xcf\xa5\xb8\xa5\xa2", {Euc, false, CrLf}},
        // 愛知: two common kanji in EUC-JP, or four half-width kana in Shift-JIS; a tie stays Shift-JIS.
        {"EUC-JP two kanji, a tie", "\xb0\xa6\xc3\xce", {Sjis, false, CrLf}},
        {"EUC-JP cut inside its last character", kNekoEuc + "\xa4", {Euc, false, CrLf}},
        {"EUC-JP with a JIS X 0212 character", kNekoEuc + "\x8f\xd4\xe3", {Euc, false, CrLf}},
        {"half-width kana in Shift-JIS", "ｱｲｳｴｵ ｺﾝﾆﾁﾊ ﾃｽﾄ", {Sjis, false, CrLf}},
        {"half-width kana pairs in Shift-JIS", "ｱｲｳｴ", {Sjis, false, CrLf}},
        {"invalid in both readings", "\xFF\xA4\xA2", {Sjis, false, CrLf}},
        {"JIS sentence", kNekoJis, {Jis, false, CrLf}},
        {"JIS old kanji escape", "\x1b$@F|K\\\x1b(J\n", {Jis, false, Lf}},
        {"JIS half-width kana escape", "\x1b(I12\x1b(B", {Jis, false, CrLf}},
        {"ASCII returning to ASCII only", "a\x1b(Bb\x1b(Jc", {Sjis, false, CrLf}},
        {"JIS escape in 8-bit text", "\x1b$BF|\x1b(B\x82\xa0", {Sjis, false, CrLf}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DetectFormat(c.bytes), c.expected) << c.name;
    }
}

TEST(Decode, RealTextComesBackByteForByteInEveryFormat) {
    const std::string kOddSjis = kMixedSjis + "①㈱纊褜\x80\xFF\x82";
    struct Case {
        const char* name;
        TextFormat format;
        std::string file;
        std::string held;
    };
    const Case cases[] = {
        {"Shift-JIS", {Sjis, false, CrLf}, kNekoSjis, kNekoSjis},
        {"Shift-JIS empty", {Sjis, false, CrLf}, "", ""},
        {"UTF-8 empty", {Utf8, false, CrLf}, "", ""},
        {"UTF-8 BOM bytes inside the text", {Utf8, false, Lf}, "a\xEF\xBB\xBF\n", "a\xEF\xBB\xBF\n"},
        {"Shift-JIS kana, NEC, IBM, bare bytes", {Sjis, false, Lf}, kOddSjis, kOddSjis},
        {"UTF-8", {Utf8, false, CrLf}, kNekoUtf8, kNekoUtf8},
        {"UTF-8 with BOM", {Utf8, true, Mixed}, "\xEF\xBB\xBF" + kMixedUtf8, kMixedUtf8},
        {"UTF-8 BOM alone", {Utf8, true, CrLf}, "\xEF\xBB\xBF", ""},
        {"UTF-8 invalid bytes are kept", {Utf8, false, CrLf}, "a\xC0\xFF" + kNekoUtf8, "a\xC0\xFF" + kNekoUtf8},
        {"UTF-16 LE", {Le, true, CrLf}, "\xFF\xFE" + kNekoLe, kNekoUtf8},
        {"UTF-16 BE", {Be, true, Mixed}, "\xFE\xFF" + kMixedBe, kMixedUtf8},
        {"UTF-16 LE without BOM", {Le, false, CrLf}, kNekoLe, kNekoUtf8},
        {"UTF-16 BE two-byte UTF-8 characters", {Be, true, Lf}, "\xFE\xFF\x03\xB1\0\xE9\x04\x10\0\n"s, U8(u8"αéА\n")},
        {"UTF-16 LE last BMP character", {Le, false, Lf}, "\xFF\xFF\n\0"s, U8(u8"\uFFFF\n")},
        {"UTF-16 NEC, IBM, surrogate pair",
         {Le, true, CrLf},
         "\xFF\xFE`$a$b!12\x16!\x8a~\x1c\x89=\xd8\0\xde\r\0\n\0"s,
         U8(u8"①②Ⅲ㈱№纊褜😀\r\n")},
        {"EUC-JP", {Euc, false, CrLf}, kNekoEuc, kNekoSjis},
        {"EUC-JP katakana, half-width kana, breaks", {Euc, false, Mixed}, kMixedEuc, kMixedSjis},
        {"EUC-JP NEC row 13", {Euc, false, CrLf}, "\xad\xa1\xad\xa2\xad\xb7\xad\xea\xad\xe2\r\n", "①②Ⅲ㈱№\r\n"},
        {"JIS", {Jis, false, CrLf}, kNekoJis, kNekoSjis},
        {"JIS half-width kana", {Jis, false, Lf}, "\x1b$BF|K\\8l\x1b(IC=D\x1b$B$G$9\x1b(B\n", "日本語ﾃｽﾄです\n"},
        {"JIS ASCII only", {Jis, false, CrLf}, "plain\r\n", "plain\r\n"},
    };
    for (const Case& c : cases) {
        const DecodeResult result = Decode(c.file, c.format);
        EXPECT_TRUE(result.exact) << c.name << ": " << result.reason << " at " << result.offset;
        EXPECT_EQ(result.held, c.held) << c.name;
        EXPECT_EQ(Encode(result.held, c.format), c.file) << c.name;
        EXPECT_FALSE(FindUnencodable(result.held, c.format)) << c.name;
    }
}

TEST(Decode, WhatCannotComeBackExactlyIsHeldRawWithItsOffset) {
    struct Case {
        const char* name;
        TextFormat format;
        std::string file;
        std::size_t offset;
    };
    const Case cases[] = {
        {"UTF-16 LE lone high surrogate",
         {Le, true, CrLf},
         "\xFF\xFE"
         "a\0\x3d\xd8"
         "b\0"s,
         4},
        {"UTF-16 LE lone low surrogate",
         {Le, true, CrLf},
         "\xFF\xFE"
         "a\0\0\xde"s,
         4},
        {"UTF-16 BE high surrogate at the end", {Be, true, CrLf}, "\xFE\xFF\0a\xd8\x3d"s, 4},
        {"UTF-16 odd length", {Be, true, CrLf}, "\xFE\xFF\0a\0"s, 4},
        {"UTF-16 BOM expected", {Le, true, CrLf}, "a\0"s, 0},
        {"UTF-8 BOM expected", {Utf8, true, CrLf}, kNekoUtf8, 0},
        {"UTF-8 BOM not expected: the save would drop it", {Utf8, false, CrLf}, "\xEF\xBB\xBF" + kNekoUtf8, 0},
        {"UTF-8 BOM not expected, file is the BOM alone", {Utf8, false, CrLf}, "\xEF\xBB\xBF", 0},
        {"EUC-JP JIS X 0212 (IBM 纊)", {Euc, false, CrLf}, "\xa4\xa2\x8f\xd4\xe3\n", 2},
        {"EUC-JP cut at the end", {Euc, false, CrLf}, kNekoEuc + "\xa4", kNekoEuc.size()},
        {"EUC-JP invalid byte", {Euc, false, CrLf}, "ab\xa4\x41", 2},
        {"EUC-JP bad half-width kana", {Euc, false, CrLf}, "\x8e\xe0", 0},
        {"JIS old kanji escape", {Jis, false, Lf}, "\x1b$@F|K\\\x1b(B\n", 2},
        {"JIS-Roman escape", {Jis, false, Lf}, "\x1b$BF|\x1b(Ja\n", 7},
        {"JIS ends inside kanji", {Jis, false, Lf}, "\x1b$BF|K\\", 7},
        {"JIS redundant escape", {Jis, false, Lf}, "\x1b(Ba", 0},
        {"JIS 8-bit byte", {Jis, false, Lf}, "\x1b$BF|\x1b(B\xa4", 8},
        {"JIS X 0212 escape", {Jis, false, Lf}, "\x1b$(DF|", 0},
        {"JIS kanji cut at the end", {Jis, false, Lf}, "\x1b$BF", 3},
        {"JIS kana out of range", {Jis, false, Lf}, "\x1b(I\x7e", 3},
    };
    for (const Case& c : cases) {
        const DecodeResult result = Decode(c.file, c.format);
        EXPECT_FALSE(result.exact) << c.name;
        EXPECT_FALSE(result.reason.empty()) << c.name;
        EXPECT_EQ(result.offset, c.offset) << c.name;
        EXPECT_EQ(result.held, c.file) << c.name << ": the file's bytes are held unchanged";
    }
}

std::string Repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

// Files of a few hundred kilobytes, whose save is checked in several pieces: exact loads must stay exact,
// and a difference after the first piece must be found at its own offset.
TEST(Decode, LargeFilesComeBackWholeAndDifferencesAreFoundWhereTheyAre) {
    const std::string euc = Repeat(kNekoEuc, 3000), jis = Repeat(kNekoJis, 3000);
    const std::string sjis = Repeat(kNekoSjis, 3000), utf8 = Repeat(kNekoUtf8, 3000);
    const std::string longLineJis = Repeat("\x1b$B8cGZ\x1b(Bab", 20000) + "\n";  // one line of 200 KB
    struct Case {
        const char* name;
        TextFormat format;
        std::string file;
        std::optional<std::size_t> differsAt;  // none: exact
        std::string held;                      // when exact
    };
    const Case cases[] = {
        {"EUC-JP", {Euc, false, CrLf}, euc, {}, sjis},
        {"EUC-JP without a final break", {Euc, false, CrLf}, euc + "\xa4\xa2", {}, sjis + "あ"},
        {"JIS", {Jis, false, CrLf}, jis, {}, sjis},
        {"JIS one long line", {Jis, false, Lf}, longLineJis, {}, Repeat("吾輩ab", 20000) + "\n"},
        {"UTF-16 LE with BOM", {Le, true, CrLf}, "\xFF\xFE" + Repeat(kNekoLe, 3000), {}, utf8},
        {"UTF-16 BE without BOM", {Be, false, CrLf}, Repeat(kNekoBe, 3000), {}, utf8},
        {"JIS redundant escape after the first piece", {Jis, false, CrLf}, jis + "\x1b(Bx", jis.size(), {}},
        {"JIS old kanji escape after the first piece", {Jis, false, CrLf}, jis + "\x1b$@8c\x1b(B", jis.size() + 2, {}},
        {"JIS redundant escape at the very end", {Jis, false, CrLf}, jis + "\x1b(B", jis.size(), {}},
    };
    for (const Case& c : cases) {
        const DecodeResult result = Decode(c.file, c.format);
        EXPECT_EQ(result.exact, !c.differsAt) << c.name << ": " << result.reason << " at " << result.offset;
        if (c.differsAt) {
            EXPECT_EQ(result.offset, *c.differsAt) << c.name;
            EXPECT_EQ(result.held, c.file) << c.name;
        } else {
            EXPECT_EQ(result.held, c.held) << c.name;
        }
    }
}

TEST(FindUnencodable, NamesTheFirstCharacterTheTargetCannotHoldAndItsLine) {
    struct Case {
        const char* name;
        std::string held;
        Encoding encoding;
        std::optional<std::size_t> offset;
        std::size_t line;
    };
    const Case cases[] = {
        {"Shift-JIS holds any bytes", "纊\xFF\x82", Sjis, std::nullopt, 0},
        {"UTF-8 holds any bytes", "\xC0\xFF", Utf8, std::nullopt, 0},
        {"IBM extension in EUC-JP", "ab\r\ncd\n纊", Euc, 7, 3},
        {"user-defined character in JIS", "\r\r\xF0\x40", Jis, 2, 3},
        {"ESC typed into JIS", "x\x1b$B", Jis, 1, 1},
        {"lone lead byte at the end in EUC-JP", "あ\x82", Euc, 2, 1},
        {"single byte 0xA0 in EUC-JP", "\xA0", Euc, 0, 1},
        {"NEC row 13 fits EUC-JP", "①㈱", Euc, std::nullopt, 0},
        {"invalid UTF-8 into UTF-16", U8(u8"あ\r\nい") + "\xE3\x81", Le, 8, 2},
        {"surrogate in UTF-8 into UTF-16", "\xED\xA0\x80", Be, 0, 1},
        {"valid UTF-8 into UTF-16", U8(u8"😀纊"), Le, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        const TextFormat format{c.encoding, false, CrLf};
        const std::optional<Unencodable> found = FindUnencodable(c.held, format);
        ASSERT_EQ(found.has_value(), c.offset.has_value()) << c.name;
        if (!found) continue;
        EXPECT_EQ(found->offset, *c.offset) << c.name;
        EXPECT_EQ(found->line, c.line) << c.name;
        EXPECT_THROW(Encode(c.held, format), Error) << c.name << ": never written with a replacement";
    }
}

TEST(LineBreaks, DetectEnterAndConvert) {
    struct Case {
        std::string text;
        LineBreak style, enter;
        std::string crlf, lf, cr;
    };
    const Case cases[] = {
        {"", CrLf, CrLf, "", "", ""},
        {"no break", CrLf, CrLf, "no break", "no break", "no break"},
        {"a\r\nb\r\n", CrLf, CrLf, "a\r\nb\r\n", "a\nb\n", "a\rb\r"},
        {"a\nb", Lf, Lf, "a\r\nb", "a\nb", "a\rb"},
        {"a\rb\r", Cr, Cr, "a\r\nb\r\n", "a\nb\n", "a\rb\r"},
        {"a\n\rb", Mixed, Lf, "a\r\n\r\nb", "a\n\nb", "a\r\rb"},  // LF then CR: two breaks
        {"a\r\r\n", Mixed, Cr, "a\r\n\r\n", "a\n\n", "a\r\r"},
        {"表\r\n\x82\n", Mixed, CrLf, "表\r\n\x82\r\n", "表\n\x82\n", "表\r\x82\r"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DetectLineBreak(c.text), c.style) << c.text;
        EXPECT_EQ(EnterLineBreak(c.text), c.enter) << c.text;
        EXPECT_EQ(ConvertLineBreaks(c.text, CrLf), c.crlf) << c.text;
        EXPECT_EQ(ConvertLineBreaks(c.text, Lf), c.lf) << c.text;
        EXPECT_EQ(ConvertLineBreaks(c.text, Cr), c.cr) << c.text;
    }
    EXPECT_THROW(ConvertLineBreaks("a\nb", Mixed), Error);
}

TEST(DisplayName, EncodingBomAndBreaks) {
    EXPECT_EQ(DisplayName({Sjis, false, CrLf}), "Shift_JIS  CRLF");
    EXPECT_EQ(DisplayName({Utf8, true, Lf}), "UTF-8 (BOM)  LF");
    EXPECT_EQ(DisplayName({Utf8, false, Cr}), "UTF-8  CR");
    EXPECT_EQ(DisplayName({Le, true, CrLf}), "UTF-16 LE  CRLF");
    EXPECT_EQ(DisplayName({Be, false, Lf}), "UTF-16 BE (BOMなし)  LF");
    EXPECT_EQ(DisplayName({Euc, false, Mixed}), "EUC-JP  改行混在");
    EXPECT_EQ(DisplayName({Jis, false, Lf}), "JIS  LF");
}

}  // namespace
}  // namespace tovel
