// The toolbar pictures at the three sizes the screen's resolution picks: the art is whole, and the
// enlarged pictures keep its shapes in place with only its own colours.
#include "app/toolbar_art.h"

#include <gtest/gtest.h>

#include <set>

namespace tovel {
namespace {

TEST(ToolbarArtTest, TheResolutionPicksThePictureSize) {
    const std::pair<int, int> cases[] = {{96, 16},  {119, 16}, {120, 24}, {144, 24},
                                         {167, 24}, {168, 32}, {192, 32}, {288, 32}};
    for (const auto& [dpi, size] : cases) EXPECT_EQ(ToolImageSizeFor(dpi), size) << dpi;
}

TEST(ToolbarArtTest, EveryPictureAtEverySizeIsSquareAndUsesOnlyItsOwnColours) {
    for (int index = 0; index < kToolImageCount; ++index) {
        const std::vector<std::string> art = ToolPicture(index, kToolArtSize);
        ASSERT_EQ(art.size(), 16u) << index;
        std::set<char> letters;
        for (const std::string& row : art) {
            EXPECT_EQ(row.size(), 16u) << index;
            letters.insert(row.begin(), row.end());
        }
        for (char letter : letters) {
            EXPECT_TRUE(letter == '.' || ToolArtColor(letter) != kToolMaskColor)
                << "picture " << index << " has the unknown letter " << letter;
        }
        EXPECT_GT(letters.size(), 2u) << "picture " << index << " is drawn";
        for (const int size : {24, 32}) {
            const std::vector<std::string> picture = ToolPicture(index, size);
            ASSERT_EQ(picture.size(), static_cast<std::size_t>(size)) << index;
            for (const std::string& row : picture) {
                ASSERT_EQ(row.size(), static_cast<std::size_t>(size)) << index;
                for (char letter : row) EXPECT_TRUE(letters.count(letter)) << "a new colour, picture " << index;
            }
        }
    }
}

TEST(ToolbarArtTest, ASquareStaysASquareInPlaceAndASlantIsSmoothed) {
    std::vector<std::string> art(16, std::string(16, '.'));
    for (int y = 4; y < 8; ++y) art[y].replace(4, 4, "kkkk");
    // A step at the top right: doubled plainly it would stay a step, twice as wide.
    art[0][14] = 'b';
    art[1][15] = 'b';
    art[0][15] = 'b';
    struct Case {
        int size, first, last;  // the square's rows and columns in the enlarged picture
    };
    for (const Case c : {Case{16, 4, 7}, Case{24, 6, 11}, Case{32, 8, 15}}) {
        const std::vector<std::string> picture = EnlargeArt(art, c.size);
        for (int y = 0; y < c.size; ++y) {
            for (int x = 0; x < c.size * 3 / 4; ++x) {  // the left part, away from the staircase
                const bool inside = y >= c.first && y <= c.last && x >= c.first && x <= c.last;
                const bool corner = (y == c.first || y == c.last) && (x == c.first || x == c.last);
                if (corner && c.size > 16) continue;  // a corner may be rounded off by the enlargement
                EXPECT_EQ(picture[y][x], inside ? 'k' : '.') << c.size << " at " << x << "," << y;
            }
        }
    }
    const std::vector<std::string> doubled = EnlargeArt(art, 32);
    // The inner corner of the step is filled in on a slant.
    EXPECT_EQ(doubled[2][29], 'b');
}

}  // namespace
}  // namespace tovel
