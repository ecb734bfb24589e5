#pragma once
// What every fuzz target shares: the input as bytes, and a check that stops the run with a message.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace tovel::fuzz {

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// A property that does not hold is a finding: abort, so libFuzzer saves the input.
inline void Check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

}  // namespace tovel::fuzz
