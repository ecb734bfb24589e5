#pragma once
// A rectangle in screen pixels, right and bottom exclusive: what the placement rules work on, kept free of
// the window system so that they run on the host.
namespace tovel {

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

}  // namespace tovel
