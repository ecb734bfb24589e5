// The character-boundary cuts against character starts worked out from the byte ranges: every cut lands
// on a character start, never beyond its limit and as far as the limit allows; a paste cut never splits
// CR LF; character counts and byte offsets convert into each other; a repeated paste is the single
// pastes one after the other, each keeping what still fits.
// Input: six bytes for the repeated paste (count, room, limit: 16 bits each, little-endian), then the text.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/error.h"
#include "platform/sjis.h"
#include "tests/fuzz/fuzz_support.h"
#include "tools/text_rewrite.h"

namespace {

using tovel::fuzz::Check;

constexpr std::size_t npos = std::string::npos;

// The largest offset up to `limit` that `allowed` takes (0 always is).
template <class Allowed>
std::size_t LastAllowedWithin(std::size_t size, std::size_t limit, Allowed allowed) {
    for (std::size_t p = std::min(limit, size);; --p)
        if (allowed(p)) return p;
}

// What a paste of `text` into `room` bytes keeps: whole characters, no CR without its LF.
std::size_t LiteralPasteFits(std::string_view text, const std::vector<bool>& starts, std::size_t room) {
    return LastAllowedWithin(text.size(), room, [&](std::size_t p) {
        return starts[p] && !(p > 0 && p < text.size() && text[p - 1] == '\r' && text[p] == '\n');
    });
}

std::optional<std::string> LiteralRepeatedPaste(std::string_view piece, std::int64_t count, std::size_t room,
                                                std::size_t limit) {
    const std::vector<bool> starts = tovel::fuzz::CharStarts(piece);
    std::string out;
    for (std::int64_t i = 0; i < count; ++i) {
        const std::size_t keep = LiteralPasteFits(piece, starts, room);
        if (keep == 0) break;  // the room no longer changes: no later paste adds anything
        out.append(piece.substr(0, keep));
        room -= keep;
    }
    if (out.size() > limit) return std::nullopt;
    return out;
}

std::uint16_t U16(const std::uint8_t* at) { return static_cast<std::uint16_t>(at[0] | at[1] << 8); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    constexpr std::size_t kHeader = 6;
    if (size < kHeader || size - kHeader > 128) return 0;  // every limit is tried: keep it quick
    // The text in a buffer of its own size, so that a read past its end is caught.
    const std::vector<char> bytes(data + kHeader, data + size);
    const std::string_view text(bytes.data(), bytes.size());
    const std::size_t n = text.size();
    const std::vector<bool> starts = fuzz::CharStarts(text);

    // The walker itself: from 0 it visits exactly the character starts; elsewhere it takes a lead byte
    // and a trail byte together and any other byte alone.
    std::size_t walked = 0;
    for (std::size_t p = 0; p < n; p = NextCharPos(text, p)) {
        Check(starts[p], "NextCharPos stepped onto a byte inside a character");
        ++walked;
    }
    std::vector<std::size_t> charStarts;  // without the end
    for (std::size_t p = 0; p < n; ++p)
        if (starts[p]) charStarts.push_back(p);
    Check(walked == charStarts.size(), "NextCharPos skipped a character start");
    for (std::size_t p = 0; p < n; ++p) {
        const bool pair = p + 1 < n && IsLeadByte(static_cast<unsigned char>(text[p])) &&
                          IsTrailByte(static_cast<unsigned char>(text[p + 1]));
        Check(NextCharPos(text, p) == p + (pair ? 2 : 1), "NextCharPos breaks its byte rule");
    }
    if (n > 0) Check(LastCharStart(text) == charStarts.back(), "LastCharStart is not the last start");

    const std::size_t chars = charStarts.size();
    for (std::size_t limit = 0; limit <= n + 1; ++limit) {
        const std::size_t whole = WholeCharsWithin(text, limit);
        Check(whole == LastAllowedWithin(n, limit, [&](std::size_t p) { return starts[p]; }),
              "WholeCharsWithin is not the last character start within the limit");
        const std::size_t fits = PasteFits(text, limit);
        Check(fits <= limit && fits <= n, "PasteFits goes beyond its room");
        Check(fits == LiteralPasteFits(text, starts, limit), "PasteFits is not the last whole cut within the room");

        const std::size_t count = CharCountOfBytes(text, limit);
        Check(count == static_cast<std::size_t>(std::count_if(charStarts.begin(), charStarts.end(),
                                                              [&](std::size_t p) { return p < limit; })),
              "CharCountOfBytes does not count the characters begun before the limit");
        // A character start converts to a count and back to itself; any other offset to the next start.
        const std::size_t back = ByteOffsetOfChars(text, count);
        Check(back >= std::min(limit, n) && starts[back], "a byte offset does not come back at or after itself");
        if (limit <= n && starts[limit]) Check(back == limit, "a character start does not come back to itself");
    }
    for (std::size_t c = 0; c <= chars + 1; ++c) {
        const std::size_t offset = ByteOffsetOfChars(text, c);
        Check(offset == (c < chars ? charStarts[c] : n), "ByteOffsetOfChars is not the start of that character");
        Check(CharCountOfBytes(text, offset) == std::min(c, chars), "a character count does not come back");
    }

    // The repeated paste of the text: a count of 0x7FFF stands for a count beyond any room; a room and a
    // limit of 0xFFFF for none. Without a room the count stays small, or the paste would be huge.
    std::int64_t pasteCount = static_cast<std::int16_t>(U16(data));
    if (pasteCount == std::numeric_limits<std::int16_t>::max()) pasteCount = std::numeric_limits<std::int64_t>::max();
    const std::size_t room = U16(data + 2) == 0xFFFF ? npos : U16(data + 2);
    const std::size_t pasteLimit = U16(data + 4) == 0xFFFF ? kRewriteLimit : U16(data + 4);
    if (room == npos) pasteCount = pasteCount < 0 ? pasteCount : pasteCount % 64;
    std::optional<std::string> pasted;
    try {
        pasted = RepeatedPaste(text, pasteCount, room, pasteLimit);
    } catch (const Error&) {
    }
    const auto expected = LiteralRepeatedPaste(text, pasteCount, room, pasteLimit);
    Check(pasted.has_value() == expected.has_value(),
          "RepeatedPaste raises where it should not, or not where it should");
    if (pasted) {
        Check(pasted->size() <= room && pasted->size() <= pasteLimit, "RepeatedPaste goes beyond its room or limit");
        Check(*pasted == *expected, "RepeatedPaste is not the single pastes one after the other");
    }
    return 0;
}
