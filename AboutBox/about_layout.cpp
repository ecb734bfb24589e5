#include "AboutBox/about_layout.h"

#include <algorithm>
#include <cstdint>

namespace tovel {
namespace {

// a * b / c rounded to the nearest, as the system's MulDiv does for positive values.
int MulDivRound(int a, int b, int c) {
    if (c == 0) return 0;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

int ScaleDesign(int designPixels, int dpi) { return MulDivRound(designPixels, dpi, 96); }

AboutRect ScaleDesign(const AboutRect& design, int dpi) {
    return {ScaleDesign(design.left, dpi), ScaleDesign(design.top, dpi), ScaleDesign(design.right, dpi),
            ScaleDesign(design.bottom, dpi)};
}

LogoPlacement PlaceLogo(int pictureWidth, int pictureHeight, int dpi) {
    const AboutRect source{0, 0, std::clamp(pictureWidth, 0, kAboutMark.right),
                           std::clamp(pictureHeight, 0, kAboutMark.bottom)};
    return {source, ScaleDesign(kAboutMark, dpi)};
}

AboutRect PictureToBox(const LogoPlacement& p, const AboutRect& picture) {
    const AboutRect& s = p.source;
    const int sw = s.right - s.left, sh = s.bottom - s.top;
    if (sw <= 0 || sh <= 0) return {};
    const int tw = p.target.right - p.target.left, th = p.target.bottom - p.target.top;
    auto x = [&](int v) { return p.target.left + MulDivRound(std::clamp(v, s.left, s.right) - s.left, tw, sw); };
    auto y = [&](int v) { return p.target.top + MulDivRound(std::clamp(v, s.top, s.bottom) - s.top, th, sh); };
    return {x(picture.left), y(picture.top), x(picture.right), y(picture.bottom)};
}

}  // namespace tovel
