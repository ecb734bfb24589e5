#include "gutter/gutter_model.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tovel {
namespace {

// Rows of unwrapped lines from `firstLine` on, `count` of them.
std::vector<GutterRow> Plain(std::int64_t firstLine, int count) {
    std::vector<GutterRow> rows;
    for (int i = 0; i < count; ++i) rows.push_back({firstLine + i, true});
    return rows;
}

std::vector<GutterNumber> Numbers(std::initializer_list<std::pair<int, const char*>> list) {
    std::vector<GutterNumber> out;
    for (const auto& [y, text] : list) out.push_back({y, text});
    return out;
}

TEST(GutterModel, EachLineIsNumberedBesideItsFirstRow) {
    const struct {
        const char* name;
        GutterView view;
        std::vector<GutterNumber> want;
    } cases[] = {
        {"plain, from the top", {Plain(0, 3), 2, 17, 100, 10}, Numbers({{2, "1"}, {19, "2"}, {36, "3"}})},
        {"scrolled to line 1000", {Plain(999, 2), 0, 20, 100, 5000}, Numbers({{0, "1000"}, {20, "1001"}})},
        {"a wrapped line carries its number once",
         {{{0, true}, {1, true}, {1, false}, {1, false}, {2, true}}, 0, 10, 100, 3},
         Numbers({{0, "1"}, {10, "2"}, {40, "3"}})},
        {"scrolled into the middle of a wrapped line",
         {{{4, false}, {4, false}, {5, true}}, 0, 10, 100, 6},
         Numbers({{20, "6"}})},
        {"the text ends mid-window: nothing below its last line",
         {Plain(0, 10), 0, 17, 400, 5},
         Numbers({{0, "1"}, {17, "2"}, {34, "3"}, {51, "4"}, {68, "5"}})},
        {"the empty line after a final break is a line", {Plain(0, 3), 0, 10, 100, 2}, Numbers({{0, "1"}, {10, "2"}})},
        {"an empty text still has its one line", {Plain(0, 1), 0, 10, 100, 1}, Numbers({{0, "1"}})},
        {"nothing from the gutter's bottom down; a row cut by it is drawn",
         {Plain(0, 10), 0, 10, 25, 10},
         Numbers({{0, "1"}, {10, "2"}, {20, "3"}})},
        {"a row wholly above the gutter is not drawn", {Plain(0, 3), -10, 10, 100, 3}, Numbers({{0, "2"}, {10, "3"}})},
        {"no row height, nothing drawn", {Plain(0, 3), 0, 0, 100, 3}, {}},
        {"no height, nothing drawn", {Plain(0, 3), 0, 10, 0, 3}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(NumbersToDraw(c.view), c.want) << c.name;
}

TEST(GutterModel, EveryRowOfATallWindowIsNumbered) {
    const std::vector<GutterNumber> shown = NumbersToDraw({Plain(100, 80), 3, 17, 80 * 17 + 3, 1000});
    ASSERT_EQ(shown.size(), 80u);
    for (int i = 0; i < 80; ++i) {
        EXPECT_EQ(shown[static_cast<std::size_t>(i)], (GutterNumber{3 + 17 * i, std::to_string(101 + i)}));
    }
}

TEST(GutterModel, WidthGrowsWithTheDigitsOfTheLineCountOnly) {
    const struct {
        std::int64_t lines;
        int digits, width;
    } cases[] = {{0, 1, 37},       {1, 1, 37},       {9, 1, 37},        {999, 3, 37},
                 {1000, 4, 45},    {9999, 4, 45},    {10000, 5, 53},    {200000, 6, 61},
                 {1000000, 7, 69}, {9999999, 7, 69}, {10000000, 8, 77}, {INT64_MAX, 19, 165}};
    for (const auto& c : cases) {
        EXPECT_EQ(DigitCount(c.lines), c.digits) << c.lines;
        EXPECT_EQ(GutterWidth(DigitCount(c.lines), 37, 8), c.width) << c.lines;
    }
    EXPECT_EQ(GutterWidth(2, 37, 8), 37) << "fewer digits never narrow the design width";
    EXPECT_EQ(GutterWidth(5, 56, 12), 80) << "scaled base and digit widths";
}

}  // namespace
}  // namespace tovel
