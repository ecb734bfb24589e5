#include "tools/repeated_paste.h"

#include <algorithm>
#include <string>

#include "platform/error.h"

namespace tovel {
namespace {

constexpr char kPasteTooLarge[] = "繰り返した文字列が大きくなりすぎるため、貼り付けをやめました";

}  // namespace

void FeedRepeatedPaste(std::string_view piece, std::int64_t count, std::size_t room, std::size_t limit, CharRule rule,
                       const std::function<void(std::string_view)>& insert, const RewriteProgress& progress,
                       std::size_t runBytes) {
    if (piece.empty() || count <= 0) return;
    // The whole pastes that fit, then, once one no longer fits whole, each further one keeping what still
    // fits until none adds anything: that tail is shorter than one paste.
    const std::size_t copies = std::min(static_cast<std::size_t>(count), room / piece.size());
    if (copies > limit / piece.size()) throw Error(kPasteTooLarge);
    std::size_t left = room - copies * piece.size();
    std::string tail;
    for (std::int64_t more = count - static_cast<std::int64_t>(copies); more > 0; --more) {
        const std::size_t keep = FitsWithin(piece, left, rule);
        if (keep == 0) break;
        tail.append(piece.substr(0, keep));
        left -= keep;
    }
    const std::size_t total = copies * piece.size() + tail.size();
    if (total > limit) throw Error(kPasteTooLarge);

    std::size_t done = 0;
    const auto give = [&](std::string_view run) {
        insert(run);
        done += run.size();
        if (progress) progress(done, total);
    };
    // One run's worth of whole pastes, built once by doubling and handed over as often as needed; a paste
    // that is a run on its own goes as it is.
    const std::size_t perRun = std::min(copies, std::max<std::size_t>(1, runBytes / piece.size()));
    std::string block;
    if (perRun > 1) {
        block.reserve(perRun * piece.size());
        block.append(piece);
        while (block.size() < perRun * piece.size())
            block.append(block, 0, std::min(block.size(), perRun * piece.size() - block.size()));
    }
    const std::string_view unit = perRun > 1 ? std::string_view(block) : piece;
    for (std::size_t pastes = copies; pastes > 0;) {
        const std::size_t now = std::min(pastes, perRun);
        give(unit.substr(0, now * piece.size()));
        pastes -= now;
    }
    if (!tail.empty()) give(tail);
}

}  // namespace tovel
