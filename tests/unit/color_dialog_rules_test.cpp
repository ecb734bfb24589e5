#include "setting/color_dialog_rules.h"

#include <gtest/gtest.h>

namespace tovel {
namespace {

TEST(CustomColors, StartWhiteAndComeBackAsSixHexDigits) {
    CustomColors colors;
    EXPECT_EQ(CustomColors::Name(0), "ColorA");
    EXPECT_EQ(CustomColors::Name(15), "ColorP");
    EXPECT_EQ(colors.Text(7), "FFFFFFFF");
    for (std::uint32_t c : colors.ToDialog())
        EXPECT_EQ(c, 0xFFFFFFu) << "the design value is white, not an invalid colour";

    std::array<std::uint32_t, kCustomColorCount> chosen{};
    chosen[0] = 0x0000FF;
    chosen[1] = 0xABCDEF;
    colors.FromDialog(chosen);
    EXPECT_EQ(colors.Text(0), "0000FF");
    EXPECT_EQ(colors.Text(1), "ABCDEF");
    EXPECT_EQ(colors.Text(2), "000000");
    EXPECT_EQ(colors.ToDialog(), chosen) << "a round trip keeps every colour";
}

TEST(CustomColors, TextsReadAsHexadecimalCutToTheColourBits) {
    EXPECT_EQ(CustomColorValue("12ab"), 0x12ABu);
    EXPECT_EQ(CustomColorValue("FF00FF00"), 0x00FF00u);
    for (const char* bad : {"", "xyz", "12 34", "-1", "123456789"}) EXPECT_EQ(CustomColorValue(bad), 0xFFFFFFu) << bad;
}

TEST(PlaceAtOneThird, CentresAcrossAndPutsTheTopAtOneThirdOfWhatIsLeft) {
    EXPECT_EQ(PlaceAtOneThird({0, 0, 1280, 1024}, 230, 324), (Placement{525, 233}));
    // A second monitor left of and above the first: the arithmetic starts at its own corner.
    EXPECT_EQ(PlaceAtOneThird({-1024, -200, 0, 568}, 224, 328), (Placement{-624, -54}));
    EXPECT_EQ(PlaceAtOneThird({0, 0, 640, 480}, 700, 600), (Placement{0, 0})) << "never above or left of it";
}

}  // namespace
}  // namespace tovel
