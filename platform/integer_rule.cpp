#include "platform/integer_rule.h"

#include "platform/error.h"

namespace tovel {
namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::int32_t> ParseHex(std::string_view digits, std::size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        int v = HexValue(c);
        if (v < 0) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(v);
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > 2147483647LL) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

// The two rules differ only in how many hexadecimal digits they take: the dialogs any number whose value
// fits in 32 bits, the settings file one to eight.
std::optional<std::int32_t> Parse(std::string_view text, std::size_t maxHexDigits) {
    while (!text.empty() && text[0] == ' ') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') return ParseHex(text.substr(1), maxHexDigits);
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        return ParseHex(text.substr(2), maxHexDigits);
    }
    return ParseDecimal(text);
}

constexpr std::size_t kAnyDigits = static_cast<std::size_t>(-1);
constexpr std::size_t kSettingsHexDigits = 8;

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text) { return Parse(text, kAnyDigits); }

std::int32_t IntegerFromText(std::string_view text) {
    if (auto value = ParseInteger(text)) return *value;
    throw Error(FormatText("'%s' は整数ではありません", text));
}

std::string IntegerToText(std::int32_t value) { return std::to_string(value); }

std::int32_t SettingsInteger(std::string_view text, std::int32_t fallback) {
    std::string rewritten(text);
    if (rewritten.size() > 2 && rewritten[0] == '0' && (rewritten[1] == 'x' || rewritten[1] == 'X')) {
        rewritten.replace(0, 2, "$");
    }
    return Parse(rewritten, kSettingsHexDigits).value_or(fallback);
}

}  // namespace tovel
