#pragma once
// The repeated paste handed to the editor in runs of a few MiB instead of one string of the whole
// insertion: no copy of it is ever built, and the progress can be told, and the paste stopped, between runs.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "tools/text_rewrite.h"

namespace tovel {

inline constexpr std::size_t kPasteRun = std::size_t{8} << 20;

// Hands `insert` exactly the bytes RepeatedPaste(piece, count, room, limit, rule) returns, in order, in
// runs of whole pastes of at most `runBytes` (a single paste longer than that goes as one run), and tells
// `progress` after each run how many of all the bytes went. Raises RepeatedPaste's error before the first
// run when the result would be longer than `limit`. Whatever `insert` or `progress` raises ends the feed.
void FeedRepeatedPaste(std::string_view piece, std::int64_t count, std::size_t room, std::size_t limit, CharRule rule,
                       const std::function<void(std::string_view run)>& insert, const RewriteProgress& progress = {},
                       std::size_t runBytes = kPasteRun);

}  // namespace tovel
