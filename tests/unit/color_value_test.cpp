// Which stored colour values name a system colour: read as plain RGB, a system value would paint the
// note nearly black instead of the user's window colour.
#include "platform/color_value.h"

#include <gtest/gtest.h>

#include <limits>

namespace tovel {
namespace {

TEST(SystemColorIndex, TopBitNamesASystemColourOtherwisePlainRgb) {
    const struct {
        std::int32_t value;
        std::optional<int> index;
    } cases[] = {
        {-2147483643, 5},                               // window colour, as the settings file writes it
        {-2147483640, 8},                               // window text
        {static_cast<std::int32_t>(0x8000000Fu), 15},   // button face
        {0, std::nullopt},                              // black
        {0x00FFFFFF, std::nullopt},                     // white
        {0x000000FF, std::nullopt},                     // red: a small value is not an index
        {static_cast<std::int32_t>(0x80000105u), 5},    // only the low byte is the index
        {std::numeric_limits<std::int32_t>::min(), 0},  // index 0, the scroll-bar colour
    };
    for (const auto& c : cases) EXPECT_EQ(SystemColorIndex(c.value), c.index) << c.value;
}

}  // namespace
}  // namespace tovel
