#pragma once
// The About box's layout: its parts in design pixels (at 96 dots per inch), scaled to a resolution, and
// how the logo picture fills its place at any resolution. Pure, so the rules run on the host.
namespace tovel {

// Left, top, right, bottom in pixels; right and bottom are outside.
struct AboutRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const AboutRect&, const AboutRect&) = default;
};

// Design rectangles: the logo's place, the product name, the rights notice, the version, the triangle,
// the maker's name and the user information frame.
inline constexpr AboutRect kAboutMark{0, 0, 321, 177};
inline constexpr AboutRect kAboutLabel1{128, 16, 254, 40};
inline constexpr AboutRect kAboutLabel2{128, 64, 263, 76};
inline constexpr AboutRect kAboutLabel3{128, 96, 220, 108};
inline constexpr AboutRect kAboutImage1{272, 144, 321, 185};
inline constexpr AboutRect kAboutLabel8{264, 64, 286, 76};
inline constexpr AboutRect kAboutGroupBox1{0, 176, 321, 241};

// Where the drawing of the logo picture (AboutBox/make_logo.sh) lies, in the picture's own pixels: the
// page with the pen stays left of the texts, the stripe runs across the picture below them.
inline constexpr AboutRect kLogoArt{0, 0, 124, 139};
inline constexpr AboutRect kLogoStripe{0, 150, 359, 161};

int ScaleDesign(int designPixels, int dpi);
AboutRect ScaleDesign(const AboutRect& design, int dpi);

// The part of the picture shown and where it goes. The box shows the picture's top-left part of the size
// of the logo's place at 96 dots per inch (all of a smaller picture), stretched over the whole place at
// the given resolution, so the drawing keeps its place among the texts at any resolution and no empty
// band is left beside or below it.
struct LogoPlacement {
    AboutRect source;  // in the picture's pixels
    AboutRect target;  // in the box's client pixels
};
LogoPlacement PlaceLogo(int pictureWidth, int pictureHeight, int dpi);

// A rectangle of the picture's pixels as it shows in the box, cut to the part shown.
AboutRect PictureToBox(const LogoPlacement& placement, const AboutRect& picture);

}  // namespace tovel
