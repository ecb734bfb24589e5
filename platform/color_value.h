#pragma once
// The colour values the settings file and the forms hold: 0x00BBGGRR, or 0x80000000 plus the index of a
// system colour (so -2147483643, 0x80000005, is the window colour and follows the user's scheme).
#include <cstdint>
#include <optional>

namespace tovel {

// The system-colour index a value names, or nothing for a plain 0x00BBGGRR colour.
std::optional<int> SystemColorIndex(std::int32_t color);

}  // namespace tovel
