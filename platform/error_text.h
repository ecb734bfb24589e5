#pragma once
#include <string>
#include <string_view>

namespace tovel {

// The error box's wording: a message whose last character (a whole double-byte character when it ends
// with one) sorts after "." gets a final ".", so "." " " "!" ")" endings stay as they are.
std::string WithFinalPeriod(std::string_view message);

}  // namespace tovel
