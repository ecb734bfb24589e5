#include "AboutBox/about_layout.h"

#include <gtest/gtest.h>

namespace tovel {
namespace {

bool Overlap(const AboutRect& a, const AboutRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// At every resolution the logo fills its whole place (no empty band beside or below it), and neither its
// drawing nor its stripe runs into a text.
TEST(AboutLayout, TheLogoFillsItsPlaceAndKeepsClearOfTheTextsAtAnyResolution) {
    for (int dpi : {96, 120, 144, 168, 192, 240}) {
        const LogoPlacement place = PlaceLogo(359, 219, dpi);
        EXPECT_EQ(place.source, (AboutRect{0, 0, 321, 177})) << dpi;
        EXPECT_EQ(place.target, ScaleDesign(kAboutMark, dpi)) << dpi;
        const AboutRect stripe = PictureToBox(place, kLogoStripe);
        const AboutRect art = PictureToBox(place, kLogoArt);
        for (const AboutRect& text : {kAboutLabel1, kAboutLabel2, kAboutLabel3, kAboutLabel8}) {
            const AboutRect shown = ScaleDesign(text, dpi);
            EXPECT_FALSE(Overlap(stripe, shown)) << dpi << ": stripe through a text at " << shown.top;
            EXPECT_FALSE(Overlap(art, shown)) << dpi << ": drawing under a text at " << shown.left;
        }
        EXPECT_GE(stripe.top, ScaleDesign(kAboutLabel3.bottom, dpi)) << dpi << ": the stripe stays below the version";
    }
    EXPECT_EQ(PictureToBox(PlaceLogo(359, 219, 144), kLogoStripe), (AboutRect{0, 225, 482, 242}));
}

TEST(AboutLayout, APictureSmallerThanThePlaceIsStretchedOverAllOfIt) {
    const LogoPlacement small = PlaceLogo(100, 50, 144);
    EXPECT_EQ(small.source, (AboutRect{0, 0, 100, 50}));
    EXPECT_EQ(small.target, (AboutRect{0, 0, 482, 266}));
    EXPECT_EQ(PictureToBox(small, AboutRect{50, 25, 100, 50}), (AboutRect{241, 133, 482, 266}));
    EXPECT_EQ(PictureToBox(small, AboutRect{0, 40, 500, 900}), (AboutRect{0, 213, 482, 266}))
        << "cut to the part shown";
    EXPECT_EQ(PictureToBox(PlaceLogo(0, 0, 144), kLogoStripe), AboutRect{}) << "nothing to show, nowhere";
}

}  // namespace
}  // namespace tovel
