// Lines poured onto pages, against a recording device with fixed metrics: every ASCII byte 5 px wide, a
// double-byte character 10 px, text 12 px high, a page of 100 x 100, character height 10, tab stops 16.
#include "document/print_channel.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/sjis.h"
#include "tests/unit/fakes.h"

namespace tovel {
namespace {

using test::Drawn;
using test::FakePrinter;
using test::RecordingDevice;

using Page = std::vector<Drawn>;

std::vector<Drawn> Print(const std::vector<std::string>& lines, int pageWidth = 100) {
    RecordingDevice device;
    device.metrics.pageWidth = pageWidth;
    PrintChannel channel(device);
    for (const std::string& line : lines) {
        channel.Write(line);
        channel.EndLine();
    }
    return device.drawn;
}

TEST(PrintChannel, TabsAdvanceToTheNextStopBeyondXPlusOne) {
    EXPECT_EQ(Print({"a\tb"}), (Page{{1, 0, 0, "a"}, {1, 16, 0, "b"}}));
    EXPECT_EQ(Print({"\tb"}), (Page{{1, 16, 0, "b"}}));
    // x + 1 = 16 is on a stop: the tab goes to the next one.
    EXPECT_EQ(Print({"aaa\tb"}), (Page{{1, 0, 0, "aaa"}, {1, 32, 0, "b"}}));
    EXPECT_EQ(Print({"aaaaaaaaaaaaaaaaaaa\tb"}), (Page{{1, 0, 0, "aaaaaaaaaaaaaaaaaaa"}, {1, 0, 14, "b"}}))
        << "a stop beyond the page ends the line";
}

TEST(PrintChannel, ATooWideLineContinuesOnTheNextLineWithoutSplittingACharacter) {
    EXPECT_EQ(Print({std::string(25, 'a')}), (Page{{1, 0, 0, std::string(20, 'a')}, {1, 0, 14, "aaaaa"}}));
    // 19 bytes (95 px) then あ (10 px): あ goes to the next line whole.
    EXPECT_EQ(Print({std::string(19, 'a') + "あい"}), (Page{{1, 0, 0, std::string(19, 'a')}, {1, 0, 14, "あい"}}));
    // 表 ends in the byte of "\": it is still one character.
    EXPECT_EQ(Print({std::string(19, 'a') + "表"}), (Page{{1, 0, 0, std::string(19, 'a')}, {1, 0, 14, "表"}}));
}

TEST(PrintChannel, ACharacterWiderThanThePageIsDrawnAloneAndPrintingGoesOn) {
    EXPECT_EQ(Print({"あい", "b"}, 8), (Page{{1, 0, 0, "あ"}, {1, 0, 14, "い"}, {1, 0, 28, "b"}}));
}

TEST(PrintChannel, FormFeedStartsANewPageAndCarriageReturnDoesNothing) {
    EXPECT_EQ(Print({"a\fb", "c\rd"}), (Page{{1, 0, 0, "a"}, {2, 0, 0, "b"}, {2, 0, 14, "c"}, {2, 5, 14, "d"}}));
}

TEST(PrintChannel, LinesAdvanceByTextHeightPlusTwoEmptyOnesByCharacterHeight) {
    EXPECT_EQ(Print({"a", "", "b"}), (Page{{1, 0, 0, "a"}, {1, 0, 24, "b"}}));
}

TEST(PrintChannel, ANewPageStartsWhenTheNextLineWouldComeWithinTwoLineHeightsOfTheBottom) {
    // Text lines of 14 px: after the sixth, y = 84 > 100 - 28.
    const std::vector<std::string> seven(7, "x");
    const auto drawn = Print(seven);
    ASSERT_EQ(drawn.size(), 7u);
    EXPECT_EQ(drawn[5], (Drawn{1, 0, 70, "x"}));
    EXPECT_EQ(drawn[6], (Drawn{2, 0, 0, "x"}));
    // Empty lines advance 10 px and break only past the bottom itself: the twelfth line is on page 2.
    std::vector<std::string> empties(11, "");
    empties.push_back("y");
    EXPECT_EQ(Print(empties), (Page{{2, 0, 0, "y"}}));
}

TEST(PrintLines, PrintsOneConsistentTextAndOnlyWhenAsked) {
    test::FakeEditor editor;
    FakePrinter printer;
    // An empty editor still makes one job with one (empty) page.
    PrintLines(editor, printer);
    EXPECT_EQ(printer.jobs, 1);
    EXPECT_EQ(printer.closed, 1);
    EXPECT_EQ(printer.device.page, 1);
    EXPECT_TRUE(printer.device.drawn.empty());

    // The lines are read before the job starts: a command changing the text meanwhile changes nothing.
    editor.text = "first\r\nsecond\r\n";
    printer.duringJob = [&] { editor.text = "other"; };
    PrintLines(editor, printer);
    ASSERT_EQ(printer.device.drawn.size(), 2u);
    EXPECT_EQ(printer.device.drawn[1].text, "second");

    printer.choose = false;
    PrintLines(editor, printer);
    EXPECT_EQ(printer.jobs, 2) << "a cancelled dialog prints nothing";

    printer.choose = true;
    printer.printing = true;
    try {
        PrintLines(editor, printer);
        ADD_FAILURE() << "a second job started";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "現在印刷中です");
    }
    EXPECT_EQ(printer.jobs, 2);
}

// What comes out of a whole job: the sheets used and every drawn piece joined per printed line.
struct Job {
    int pages;
    std::vector<std::string> lines;
    friend bool operator==(const Job&, const Job&) = default;
};

std::ostream& operator<<(std::ostream& out, const Job& j) {
    out << j.pages << " pages:";
    for (const auto& line : j.lines) out << " \"" << line.substr(0, 30) << (line.size() > 30 ? "...\"" : "\"");
    return out;
}

Job PrintText(const std::string& text, bool utf8 = false, bool* deviceTold = nullptr) {
    test::FakeEditor editor;
    editor.text = text;
    editor.utf8 = utf8;
    FakePrinter printer;
    PrintLines(editor, printer);
    if (deviceTold) *deviceTold = printer.device.utf8;
    Job job{printer.device.page, {}};
    int lastY = -1, lastPage = 0;
    for (const Drawn& d : printer.device.drawn) {
        if (d.y != lastY || d.page != lastPage) job.lines.emplace_back();
        job.lines.back() += d.text;
        lastY = d.y, lastPage = d.page;
    }
    return job;
}

TEST(PrintLines, PrintsEveryByteOfTheFilesLinesAndNoBlankSheetAtTheEnd) {
    // A page holds six text lines (Print's device): a seventh starts the second sheet.
    const std::string six = "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n";
    const std::string longLine = std::string(9000, 'a') + std::string(1000, 'b');
    struct Case {
        const char* name;
        std::string text;
        Job expected;
    } cases[] = {
        {"exactly one full page", six, {1, {"1", "2", "3", "4", "5", "6"}}},
        {"full page without a final break", "1\r\n2\r\n3\r\n4\r\n5\r\n6", {1, {"1", "2", "3", "4", "5", "6"}}},
        {"one line more", six + "7", {2, {"1", "2", "3", "4", "5", "6", "7"}}},
        {"blank lines after a full page", six + "\r\n\r\n", {1, {"1", "2", "3", "4", "5", "6"}}},
        {"a final form feed", "x\f\r\n", {1, {"x"}}},
        {"lone CR and lone LF break lines", "a\rb\nc", {1, {"a", "b", "c"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(PrintText(c.text), c.expected) << c.name;

    // 10,000 bytes on one line: all of them, in order, 20 to a printed line.
    const Job job = PrintText(longLine + "\r\nend");
    std::string joined;
    for (std::size_t i = 0; i + 1 < job.lines.size(); ++i) joined += job.lines[i];
    EXPECT_EQ(joined, longLine);
    EXPECT_EQ(job.lines.size(), 501u);
    EXPECT_EQ(job.lines.back(), "end");
}

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(PrintLines, AUtf8DocumentPrintsItsCharactersWholeAtEveryKindOfBreak) {
    // Twenty 5-px bytes make a printed line; a character of more than one UTF-8 byte is 10 px.
    const std::string a19(19, 'a');
    struct Case {
        const char* name;
        std::string text;
        Job expected;
    } cases[] = {
        {"CR LF, LF and CR each break once", U8(u8"日本\r\n語\n😀\rx"), {1, {U8(u8"日本"), U8(u8"語"), U8(u8"😀"), "x"}}},
        {"LF CR is two breaks", "a\n\rb", {1, {"a", "b"}}},
        // 95 px then a 10-px character: it goes to the next line whole, not cut inside its bytes.
        {"a kanji never split by a wrap", a19 + U8(u8"語b"), {1, {a19, U8(u8"語b")}}},
        {"an emoji never split by a wrap", a19 + U8(u8"😀"), {1, {a19, U8(u8"😀")}}},
        {"ten kanji fill a line", U8(u8"一二三四五六七八九十百"), {1, {U8(u8"一二三四五六七八九十"), U8(u8"百")}}},
    };
    for (const Case& c : cases) {
        bool told = false;
        EXPECT_EQ(PrintText(c.text, true, &told), c.expected) << c.name;
        EXPECT_TRUE(told) << c.name << ": the device draws UTF-8";
    }
    bool told = true;
    PrintText("x", false, &told);
    EXPECT_FALSE(told) << "a Shift-JIS document is drawn as Shift-JIS bytes";
}

}  // namespace
}  // namespace tovel
