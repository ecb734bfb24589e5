#pragma once
// Byte rules of the text tools on the held text, Shift-JIS or UTF-8. A match covers whole characters: it
// starts where a character starts and ends where one ends. In Shift-JIS that is as the text is walked from
// its first byte, so "A" never hits the trail byte of 0x83 0x41 and "\" never hits the trail byte of 表
// (0x95 0x5C); in UTF-8 no match starts or ends before a continuation byte.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/sjis.h"

namespace tovel {

// How the held text's bytes make characters.
enum class CharRule {
    // Code page 932: a lead byte takes the next byte along when that can be a trail byte.
    ShiftJis,
    // UTF-8: a character starts at every byte that is not a continuation byte (10xxxxxx). That is exact
    // for valid UTF-8, all a UTF-8 document holds; beside a stray continuation byte it errs toward
    // refusing a match or a cut, never toward one inside a character.
    Utf8,
};

constexpr bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// No whole-text rewrite lets the text grow beyond this size, nor makes more replacements than this.
inline constexpr std::size_t kRewriteLimit = std::size_t{256} << 20;

// Offset of the first occurrence of `needle` that covers whole characters; npos when there is none
// (always for an empty needle).
std::size_t FindWhole(std::string_view text, std::string_view needle, CharRule rule = CharRule::ShiftJis);

// The length of the longest run of whole characters from the start that is at most `bytes` long.
std::size_t WholeCharsWithin(std::string_view text, std::size_t bytes, CharRule rule = CharRule::ShiftJis);

// How many leading bytes of a paste fit into `room` bytes: whole characters, and a CR LF never split.
std::size_t FitsWithin(std::string_view text, std::size_t room, CharRule rule = CharRule::ShiftJis);

// Told now and then how many bytes of the original text a rewrite has gone through, and of how many. It
// may raise to abandon the rewrite, which leaves the caller's text alone.
using RewriteProgress = std::function<void(std::size_t done, std::size_t total)>;

// Replaces occurrences of `search` until none is left, each time the first one from the start of the
// text, so that occurrences formed by a replacement and the text around it are replaced too. It runs in
// time linear in the text and the replacements made. When `replacement` holds `search` that rule would
// never end: each occurrence of the original text is then replaced once, left to right. Raises, leaving
// the caller's text alone, when the text would grow beyond max(limit, its own size) or more than `limit`
// replacements would be made. An empty `search` changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement,
                       std::size_t limit = kRewriteLimit, CharRule rule = CharRule::ShiftJis,
                       const RewriteProgress& progress = {});

inline std::string DeleteAll(std::string_view text, std::string_view search, std::size_t limit = kRewriteLimit,
                             CharRule rule = CharRule::ShiftJis, const RewriteProgress& progress = {}) {
    return ReplaceAll(text, search, {}, limit, rule, progress);
}

// What `count` further pastes of `piece` insert one after the other at the caret when the text may grow
// by at most `room` bytes, each paste keeping what fits by FitsWithin. Raises when that text would be
// longer than `limit`.
std::string RepeatedPaste(std::string_view piece, std::int64_t count, std::size_t room,
                          std::size_t limit = kRewriteLimit, CharRule rule = CharRule::ShiftJis);

}  // namespace tovel
