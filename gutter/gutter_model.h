#pragma once
// What the 43 line-number labels show for a given line count and first visible line, and which labels
// have to be touched to get there from what they show now. Pure logic, so it is tested on the host.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tovel {

inline constexpr int kGutterLabelCount = 43;

// The whole visible state of the labels; index 0 is gyou1.
struct GutterState {
    std::array<bool, kGutterLabelCount> visible{};
    // The number label i shows. 64-bit so that a first line near INT_MAX plus 43 cannot overflow.
    std::array<std::int64_t, kGutterLabelCount> number{};

    std::string Text(int index) const { return std::to_string(number[static_cast<std::size_t>(index)]); }
    friend bool operator==(const GutterState&, const GutterState&) = default;
};

// The labels after a refresh: label k (1-based) is visible when lineCount >= k - 1, so min(N + 1, 43)
// labels show counted from the top, the extra one standing for the line after the last counted line;
// every label, hidden or not, carries topLine + k. A negative count (no editor reports one) counts as 0,
// so the first label is always shown.
GutterState ComputeGutter(int lineCount, int topLine);

// The state the labels are created in: only "1" visible, texts "1" .. "43". It equals the refresh of an
// empty editor scrolled to its top.
GutterState InitialGutter();

// Zero-based indices of the labels whose visibility or text differ between two states, in label order.
// Labels listed in neither are left alone, so an unchanged refresh touches nothing.
struct GutterDiff {
    std::vector<int> visibility;
    std::vector<int> text;
    bool Empty() const { return visibility.empty() && text.empty(); }
};
GutterDiff DiffGutter(const GutterState& before, const GutterState& after);

}  // namespace tovel
