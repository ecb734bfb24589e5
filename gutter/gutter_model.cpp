#include "gutter/gutter_model.h"

namespace tovel {

GutterState ComputeGutter(int lineCount, int topLine) {
    const int n = lineCount < 0 ? 0 : lineCount;
    GutterState state;
    for (int i = 0; i < kGutterLabelCount; ++i) {
        const int k = i + 1;
        state.visible[static_cast<std::size_t>(i)] = n >= k - 1;
        state.number[static_cast<std::size_t>(i)] = static_cast<std::int64_t>(topLine) + k;
    }
    return state;
}

GutterState InitialGutter() { return ComputeGutter(0, 0); }

GutterDiff DiffGutter(const GutterState& before, const GutterState& after) {
    GutterDiff diff;
    for (int i = 0; i < kGutterLabelCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (before.visible[at] != after.visible[at]) diff.visibility.push_back(i);
        if (before.number[at] != after.number[at]) diff.text.push_back(i);
    }
    return diff;
}

}  // namespace tovel
