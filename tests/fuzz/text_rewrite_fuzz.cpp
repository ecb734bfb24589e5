// Replace all, delete all and find against a slow literal rewrite written from the rules in
// tools/text_rewrite.h: matches cover whole characters of the text as it stands; the search is repeated
// from the start until none is left, or, when the replacement holds the search string, each occurrence
// of the original text is replaced once; a rewrite raises when the text would grow beyond
// max(limit, its size) or would take more than `limit` replacements.
// Each input is checked under both character rules: Shift-JIS, and UTF-8, where a character starts at
// every byte but a continuation byte.
// Input: one byte for the limit, then text, search and replacement separated by 0xFF.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/error.h"
#include "tests/fuzz/fuzz_support.h"
#include "tools/text_rewrite.h"

namespace {

using tovel::CharRule;
using tovel::fuzz::Check;

constexpr std::size_t npos = std::string::npos;

std::vector<bool> CharStarts(std::string_view text, CharRule rule) {
    if (rule == CharRule::ShiftJis) return tovel::fuzz::CharStarts(text);
    std::vector<bool> starts(text.size() + 1, true);
    for (std::size_t i = 0; i < text.size(); ++i) starts[i] = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    return starts;
}

std::size_t LiteralFind(std::string_view text, std::string_view needle, CharRule rule) {
    if (needle.empty()) return npos;
    const std::vector<bool> starts = CharStarts(text, rule);
    for (std::size_t p = 0; p + needle.size() <= text.size(); ++p) {
        if (text.substr(p, needle.size()) == needle && starts[p] && starts[p + needle.size()]) return p;
    }
    return npos;
}

// nullopt where the rewrite must raise.
std::optional<std::string> LiteralReplace(std::string_view text, std::string_view search, std::string_view replacement,
                                          std::size_t limit, CharRule rule) {
    if (search.empty()) return std::string(text);
    const std::size_t cap = std::max(limit, text.size());
    if (replacement.find(search) != npos) {
        // Once each, left to right, judged in the original text. This rule always ends, so only the
        // size bounds it; the text only grows or only shrinks, so its final size is its largest.
        const std::vector<bool> starts = CharStarts(text, rule);
        std::string out;
        for (std::size_t p = 0; p < text.size();) {
            if (text.substr(p, search.size()) == search && starts[p] && starts[p + search.size()]) {
                out += replacement;
                p += search.size();
            } else {
                out += text[p++];
            }
        }
        if (out.size() > cap) return std::nullopt;
        return out;
    }
    std::string t(text);
    for (std::size_t count = 1;; ++count) {
        const std::size_t p = LiteralFind(t, search, rule);
        if (p == npos) return t;
        if (count > limit) return std::nullopt;
        t.replace(p, search.size(), replacement);
        if (t.size() > cap) return std::nullopt;
    }
}

std::optional<std::string> Rewrite(std::string_view text, std::string_view search, std::string_view replacement,
                                   std::size_t limit, CharRule rule) {
    try {
        return tovel::ReplaceAll(text, search, replacement, limit, rule);
    } catch (const tovel::Error&) {
        return std::nullopt;
    }
}

std::optional<std::string> Delete(std::string_view text, std::string_view search, std::size_t limit, CharRule rule) {
    try {
        return tovel::DeleteAll(text, search, limit, rule);
    } catch (const tovel::Error&) {
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t limit = data[0];
    const auto parts = tovel::fuzz::SplitInput(tovel::fuzz::Bytes(data + 1, size - 1), '\xFF', 3);
    if (parts[0].size() > 64 || parts[1].size() > 8 || parts[2].size() > 12) return 0;
    // Each piece in a buffer of its own size, so that a read past its end is caught.
    const std::vector<char> textBytes(parts[0].begin(), parts[0].end()), searchBytes(parts[1].begin(), parts[1].end()),
        replacementBytes(parts[2].begin(), parts[2].end());
    const std::string_view text(textBytes.data(), textBytes.size()), search(searchBytes.data(), searchBytes.size()),
        replacement(replacementBytes.data(), replacementBytes.size());

    for (const CharRule rule : {CharRule::ShiftJis, CharRule::Utf8}) {
        Check(tovel::FindWhole(text, search, rule) == LiteralFind(text, search, rule),
              "FindWhole differs from the literal find");
        Check(tovel::FindWhole(text, replacement, rule) == LiteralFind(text, replacement, rule),
              "FindWhole differs (replacement)");

        const auto expected = LiteralReplace(text, search, replacement, limit, rule);
        const auto got = Rewrite(text, search, replacement, limit, rule);
        Check(got.has_value() == expected.has_value(),
              "ReplaceAll raises where the literal rewrite does not, or not where it does");
        Check(!got || *got == *expected, "ReplaceAll differs from the literal rewrite");
        if (got) {  // within a small limit, so within the default one too
            Check(Rewrite(text, search, replacement, tovel::kRewriteLimit, rule) == got,
                  "the default limit changes a result");
        }

        const auto deleted = Delete(text, search, limit, rule);
        Check(deleted == LiteralReplace(text, search, {}, limit, rule), "DeleteAll differs from the literal rewrite");
    }
    return 0;
}
