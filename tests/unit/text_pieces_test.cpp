// The rules a big file is read and written by, a piece at a time: whatever the pieces, they must give what
// the whole text gives (a format told wrongly, or a character cut at a piece's end, changes the user's bytes).
#include <gtest/gtest.h>

#include <random>

#include "document/format_files.h"
#include "document/text_format.h"
#include "platform/error.h"

namespace tovel {
namespace {

std::string U8(std::u8string_view text) { return {reinterpret_cast<const char*>(text.data()), text.size()}; }

// The ways a text is cut into pieces: every fixed size from one byte up, and uneven sizes.
std::vector<std::vector<std::size_t>> Cuttings(std::size_t length) {
    std::vector<std::vector<std::size_t>> cuttings;
    for (std::size_t size = 1; size <= 9; ++size) {
        std::vector<std::size_t> sizes;
        for (std::size_t done = 0; done < length; done += size) sizes.push_back(size);
        cuttings.push_back(sizes);
    }
    std::mt19937 random(static_cast<unsigned>(length));
    for (int round = 0; round < 4; ++round) {
        std::vector<std::size_t> sizes;
        for (std::size_t done = 0; done < length;) {
            sizes.push_back(1 + random() % 6);
            done += sizes.back();
        }
        cuttings.push_back(sizes);
    }
    return cuttings;
}

std::vector<std::string_view> Cut(std::string_view text, const std::vector<std::size_t>& sizes) {
    std::vector<std::string_view> pieces;
    for (const std::size_t size : sizes) {
        pieces.push_back(text.substr(0, size));
        text.remove_prefix(pieces.back().size());
    }
    return pieces;
}

// Real text in every format, and the places pieces are cut badly: inside a character, between CR and LF,
// inside an escape sequence or a byte-order mark.
std::vector<std::string> FileSamples() {
    const std::string euc = "\xb8\xe3\xc7\xda\xa4\xcf\xc7\xad\xa4\xc7\xa4\xa2\xa4\xeb\xa1\xa3";  // 吾輩は猫である。
    std::vector<std::string> samples = {
        "",
        "a",
        "\r",
        "\xEF\xBB",
        "\xEF\xBB\xBF",
        "\xEF\xBB\xBF" + U8(u8"猫\r\nです\n"),
        std::string("\xFF\xFE\x2B\x73\x0D\x00\x0A\x00\x0D\x00", 10),
        std::string("\xFE\xFF\x73\x2B\x00\x0A\x00", 7),
        "吾輩は猫である。\r\n名前はまだ無い。\r\n",
        "ｱｲｳ 表\r\n\x82\n",
        U8(u8"吾輩は猫である。\r\n名前😀はまだ\r無い。"),
        U8(u8"あ") + "\xE3\x81",
        euc + "\r\n" + euc + "\n",
        euc + " \x8e\xb1 \x8f\xd4\xe3" + euc,
        euc + "\x8f\xd4 ",
        "\x82\x0A\xA4",
        "\x1b$B8cGZ$O\x1b(B\r\n\x1b$BG-\x1b(B\r\n",
        "a\x1b(Bb\x1b(Jc\x1b(I12",
        "\x1b$BF|\x1b(B\x82\xa0",
        "\xb0\xa6\xc3\xce",
        "\xFF\xA4\xA2",
    };
    // Bytes drawn from the ones each reading turns on, for what no one thought of.
    const std::string alphabet = "\r\n a$(B@I\x1b\x80\x82\x8e\x8f\xa0\xa4\xb0\xc3\xe3\x81\xef\xbb\xbf\xff\xfe";
    std::mt19937 random(21);
    for (int i = 0; i < 300; ++i) {
        std::string text(random() % 24, ' ');
        for (char& c : text) c = alphabet[random() % alphabet.size()];
        samples.push_back(text);
    }
    return samples;
}

TEST(PiecewiseDetection, AnyCuttingTellsTheFormatAndBreaksOfTheWholeFile) {
    for (const std::string& bytes : FileSamples()) {
        const TextFormat whole = DetectFormat(bytes);
        // The text held as the file's bytes: after the UTF-8 mark, when there is one.
        const std::string_view held =
            std::string_view(bytes).substr(whole.bom && whole.encoding == Encoding::Utf8 ? 3 : 0);
        for (const auto& sizes : Cuttings(bytes.size())) {
            FormatDetector detector;
            for (const std::string_view piece : Cut(bytes, sizes)) detector.Feed(piece);
            ASSERT_EQ(detector.Finish(), whole) << testing::PrintToString(bytes) << " in " << sizes.size() << " pieces";
            if (whole.encoding == Encoding::Utf16Le || whole.encoding == Encoding::Utf16Be) continue;
            EXPECT_EQ(detector.Breaks().Enter(), EnterLineBreak(held)) << testing::PrintToString(bytes);
        }
    }
}

TEST(PiecewiseDetection, LineBreaksOverAnyCuttingAreThoseOfTheWholeText) {
    for (const std::string& text : FileSamples()) {
        for (const auto& sizes : Cuttings(text.size())) {
            LineBreakScanner scanner;
            for (const std::string_view piece : Cut(text, sizes)) scanner.Feed(piece);
            ASSERT_EQ(scanner.Style(), DetectLineBreak(text)) << testing::PrintToString(text);
            ASSERT_EQ(scanner.Enter(), EnterLineBreak(text)) << testing::PrintToString(text);
        }
    }
}

// The pieces in order, or the offset of the character that stopped them.
struct Written {
    std::string bytes;
    std::optional<std::size_t> stoppedAt;
};
Written EncodeInPieces(std::string_view held, const TextFormat& format, std::size_t slice) {
    PieceEncoder encoder(held, format, slice);
    Written written;
    std::size_t badAt = 0;
    for (std::optional<std::string_view> piece; (piece = encoder.TryNext(&badAt));) {
        if (piece->empty()) return written;
        written.bytes += *piece;
    }
    written.stoppedAt = badAt;
    return written;
}

TEST(PieceEncoder, EverySliceSizeWritesTheBytesOfTheWholeText) {
    const std::string sjis[] = {
        "",
        "吾輩は猫である。\r\n名前はまだ無い。\r\n",
        "漢字ｶﾅ漢字 かなｶﾅ\rabc漢",
        "①㈱ 表\n",
        "ab\r\ncd\n纊",      // no EUC-JP or JIS form
        "x\x1b$B",           // an ESC JIS cannot write
        "あ\x82",            // a lead byte at the end
        "\x82\x0A\x82\xA0",  // a lead byte before a break
    };
    const std::string utf8[] = {
        "", U8(u8"吾輩は猫である。\r\n名前😀はまだ無い。"),
        U8(u8"é\n😀a") + "\xE3\x81",  // cut at the end
        "\xED\xA0\x80 x",            // a surrogate
    };
    struct Target {
        Encoding encoding;
        bool bom;
        const std::string* texts;
        std::size_t count;
    };
    const Target targets[] = {
        {Encoding::ShiftJis, false, sjis, std::size(sjis)},  {Encoding::EucJp, false, sjis, std::size(sjis)},
        {Encoding::Iso2022Jp, false, sjis, std::size(sjis)}, {Encoding::Utf8, false, utf8, std::size(utf8)},
        {Encoding::Utf8, true, utf8, std::size(utf8)},       {Encoding::Utf16Le, true, utf8, std::size(utf8)},
        {Encoding::Utf16Be, false, utf8, std::size(utf8)},
    };
    for (const Target& target : targets) {
        const TextFormat format{target.encoding, target.bom, LineBreak::CrLf};
        for (std::size_t i = 0; i < target.count; ++i) {
            const std::string& held = target.texts[i];
            const std::optional<Unencodable> bad = FindUnencodable(held, format);
            std::optional<std::string> whole;
            try {
                whole = Encode(held, format);
            } catch (const Error&) {
            }
            ASSERT_EQ(whole.has_value(), !bad) << DisplayName(format) << " " << testing::PrintToString(held);
            for (std::size_t slice = 1; slice <= held.size() + 1; ++slice) {
                const Written written = EncodeInPieces(held, format, slice);
                const std::string what =
                    DisplayName(format) + " " + testing::PrintToString(held) + " by " + std::to_string(slice);
                if (whole) {
                    EXPECT_FALSE(written.stoppedAt) << what;
                    EXPECT_EQ(written.bytes, *whole) << what;
                } else {
                    EXPECT_EQ(written.stoppedAt, bad->offset) << what;
                }
            }
        }
    }
}

TEST(PieceEncoder, AHeldTextThatIsTheFilesBytesIsGivenInPlace) {
    const std::string held(100, 'x');
    for (const bool bom : {false, true}) {
        PieceEncoder encoder(held, {Encoding::Utf8, bom, LineBreak::CrLf}, 40);
        if (bom) EXPECT_EQ(encoder.Next(), "\xEF\xBB\xBF");
        for (std::size_t at = 0; at < held.size(); at += 40) {
            const std::string_view piece = encoder.Next();
            EXPECT_EQ(piece.data(), held.data() + at) << "never a copy";
            EXPECT_EQ(encoder.Done(), std::min<std::size_t>(at + 40, held.size()));
        }
        EXPECT_TRUE(encoder.Next().empty());
    }
    PieceEncoder refusing("ok \xF0\x40", {Encoding::EucJp, false, LineBreak::CrLf}, 2);
    EXPECT_EQ(refusing.Next(), "ok ");
    EXPECT_THROW(refusing.Next(), Error) << "a character that cannot be written is never replaced";
}

// Decode over pieces of `size` bytes, as a load would take it: the held text when it reads exactly,
// otherwise the file's bytes with the reason and offset.
DecodeResult DecodeInPieces(std::string_view bytes, const TextFormat& format, std::size_t size) {
    PieceDecoder decoder(format);
    DecodeResult result;
    for (std::size_t at = 0; at < bytes.size(); at += size) result.held += decoder.Feed(bytes.substr(at, size));
    result.held += decoder.Finish();
    result.exact = decoder.Exact();
    if (!result.exact) {
        result.held.assign(bytes);
        result.reason = decoder.Reason();
        result.offset = decoder.Offset();
    }
    return result;
}

void ExpectSameDecode(std::string_view bytes, const TextFormat& format, std::size_t size) {
    const DecodeResult whole = Decode(bytes, format);
    const DecodeResult pieces = DecodeInPieces(bytes, format, size);
    const std::string what = DisplayName(format) + " " + testing::PrintToString(std::string(bytes).substr(0, 80)) +
                             " in pieces of " + std::to_string(size);
    ASSERT_EQ(pieces.exact, whole.exact) << what;
    EXPECT_TRUE(pieces.held == whole.held) << what;
    EXPECT_EQ(pieces.offset, whole.offset) << what;
    EXPECT_EQ(pieces.reason, whole.reason) << what;
}

const TextFormat kDecodedFormats[] = {
    {Encoding::ShiftJis, false, LineBreak::CrLf},  {Encoding::Utf8, false, LineBreak::CrLf},
    {Encoding::Utf8, true, LineBreak::CrLf},       {Encoding::Utf16Le, true, LineBreak::CrLf},
    {Encoding::Utf16Le, false, LineBreak::CrLf},   {Encoding::Utf16Be, true, LineBreak::CrLf},
    {Encoding::Utf16Be, false, LineBreak::CrLf},   {Encoding::EucJp, false, LineBreak::CrLf},
    {Encoding::Iso2022Jp, false, LineBreak::CrLf},
};

TEST(PieceDecoder, EveryPieceSizeGivesTheWholeDecodesAnswers) {
    const std::string sjis = "吾輩は猫である。\r\n名前はまだ無い。\nｱｲｳ表\r\r\n";
    const std::string utf8 = U8(u8"吾輩は猫である。\r\n名前😀はまだ\r無い。𠮷\n");
    const std::string jis = Encode(sjis, {Encoding::Iso2022Jp, false, LineBreak::CrLf});
    std::vector<std::string> samples = FileSamples();
    const std::string made[] = {
        Encode(sjis, {Encoding::EucJp, false, LineBreak::CrLf}),
        jis,
        "\x1b$B8c\x1b$@GZ\x1b(B",  // the old kanji switch: saved back as the new one
        "a\x1b(Jb",                // roman: saved back as ASCII
        "a" +
            [] {  // a run of switches longer than any lag the save can have
                std::string run;
                for (int i = 0; i < 40; ++i) run += "\x1b(B\x1b$B";
                return run;
            }() +
            "8c\x1b(B",
        "\x1b(Babc",    // a switch to what is in force
        "\x1b$B8c",     // kanji to the end, never back to ASCII
        "ab\x1b$A",     // an escape not known
        "ab\x1b$",      // an escape cut by the end
        "\x1b$B8",      // a kanji cut by the end
        "\x1b(I1\xb1",  // an 8-bit byte
        "\x1b(I\x7f",   // not a kana
        Encode(utf8, {Encoding::Utf16Le, true, LineBreak::CrLf}),
        Encode(utf8, {Encoding::Utf16Be, false, LineBreak::CrLf}),
        std::string("\xFF\xFE\x3D\xD8\x00\xDE\x3D\xD8", 8),  // a pair, then a high surrogate at the end
        std::string("\xFF\xFE\x3D\xD8\x41\x00", 6),          // a high surrogate before an ASCII unit
        std::string("\xFF\xFE\x41\x00\x00\xDE", 6),          // a low surrogate alone
        std::string("\xFF\xFE\x41\x00\x42", 5),              // odd length
        std::string("\xFF\xFE\x41\x00\x00\x00", 6),          // a NUL character
        std::string("\xFE", 1),
        "\xA4\xA2\xA4",                  // EUC-JP cut by the end
        "\xA4\xA2\x8F\xB0\xA1\xA4\xA2",  // a supplementary kanji
        "\xA4\xA2\xA4\x20\xA4\xA2",      // not EUC-JP
        "\x8E\xB1\x8E\xB2\r\n\xB0\xA1",  // half-width kana
    };
    samples.insert(samples.end(), std::begin(made), std::end(made));
    for (const std::string& bytes : samples) {
        for (const TextFormat& format : kDecodedFormats) {
            for (std::size_t size = 1; size <= 17; ++size) ExpectSameDecode(bytes, format, size);
            for (const std::size_t size : {31, 64, 4096}) ExpectSameDecode(bytes, format, size);
        }
    }
}

TEST(PieceDecoder, ABigTextGivesTheWholeDecodesAnswersWhereverItsProblemLies) {
    // Longer than the decoder's own steps, with a fault early, late or nowhere.
    std::string sjis;
    while (sjis.size() < 150000) sjis += "吾輩は猫である。名前はまだ無い。ｱｲｳ\r\n";
    const std::string utf8 = [] {
        std::string text;
        while (text.size() < 150000) text += U8(u8"吾輩は猫😀である。\n");
        return text;
    }();
    struct Case {
        TextFormat format;
        std::string bytes;
    };
    std::vector<Case> cases;
    for (const TextFormat format : {TextFormat{Encoding::EucJp}, TextFormat{Encoding::Iso2022Jp}}) {
        const std::string bytes = Encode(sjis, format);
        cases.push_back({format, bytes});
        for (const std::size_t at : {std::size_t{70001}, bytes.size() - 3}) {
            std::string bad = bytes;
            bad[at] = '\x8F';
            cases.push_back({format, bad});
        }
        if (format.encoding == Encoding::Iso2022Jp) {
            cases.push_back({format, bytes.substr(0, 90000) + "\x1b(B" + bytes.substr(90000)});
        }
    }
    const TextFormat utf16{Encoding::Utf16Be, true};
    const std::string bytes = Encode(utf8, utf16);
    cases.push_back({utf16, bytes});
    cases.push_back({utf16, bytes.substr(0, 131073)});
    cases.push_back({utf16, bytes.substr(0, 100000) + std::string("\xD8\x3D", 2) + bytes.substr(100000)});
    for (const Case& c : cases) {
        for (const std::size_t size : {1000, 65536, 65537, 100000, 1 << 20}) ExpectSameDecode(c.bytes, c.format, size);
    }
}

TEST(OpenSizeRule, AFileTheEditorCannotHoldIsRefusedNamingItsSize) {
    constexpr std::uint64_t kGb = std::uint64_t{1} << 30;
    struct Case {
        std::uint64_t size;
        const char* shown;  // nullptr: it opens
    };
    const Case cases[] = {
        {0, nullptr},
        {kGb, nullptr},
        {2 * kGb - 1, nullptr},
        {2 * kGb, "2.0 GB"},
        {2 * kGb + (kGb * 3 + 9) / 10, "2.3 GB"},
        {2 * kGb + (kGb * 3 + 9) / 10 - 1, "2.2 GB"},  // never shown larger than it is
        {40 * kGb, "40.0 GB"},
    };
    for (const Case& c : cases) {
        if (!c.shown) {
            EXPECT_NO_THROW(RefuseTooLarge("big.txt", c.size)) << c.size;
            continue;
        }
        try {
            RefuseTooLarge("big.txt", c.size);
            ADD_FAILURE() << c.size << " was not refused";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()), FormatText("ファイル %s は ", "big.txt") + c.shown +
                                                 " あり、開ける大きさ (2 GB 未満) を越えるため開けません");
        }
    }
}

}  // namespace
}  // namespace tovel
