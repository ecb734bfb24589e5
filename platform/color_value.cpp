#include "platform/color_value.h"

namespace tovel {

std::optional<int> SystemColorIndex(std::int32_t color) {
    const auto bits = static_cast<std::uint32_t>(color);
    if (!(bits & 0x80000000u)) return std::nullopt;
    return static_cast<int>(bits & 0xFFu);
}

}  // namespace tovel
