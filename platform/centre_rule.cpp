#include "platform/centre_rule.h"

#include <algorithm>

namespace tovel {
namespace {

// The start of a span `size` long centred on [from, to), then kept inside [low, high), the low edge winning
// when it cannot fit. Halves round down, also left of the screen's origin.
int CentreSpan(int from, int to, int size, int low, int high) {
    const int slack = (to - from) - size;
    const int start = from + (slack >= 0 ? slack / 2 : -((1 - slack) / 2));
    return std::max(low, std::min(start, high - size));
}

}  // namespace

ScreenPoint CentreOn(const ScreenRect& owner, int width, int height, const ScreenRect& workArea) {
    return {CentreSpan(owner.left, owner.right, width, workArea.left, workArea.right),
            CentreSpan(owner.top, owner.bottom, height, workArea.top, workArea.bottom)};
}

}  // namespace tovel
