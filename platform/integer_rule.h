#pragma once
// The one rule by which the program reads whole numbers from text (dialog answers, settings values).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovel {

// Accepts: spaces (byte 32 only), then either an optional sign and decimal digits within the 32-bit range,
// or an unsigned hex prefix ("$", "x", "X", "0x", "0X") and hex digits whose value fits in 32 bits, taken
// as the signed bit pattern. Nothing may follow the digits.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// ParseInteger, raising "'%s' は整数ではありません" with the whole text when it fails.
std::int32_t IntegerFromText(std::string_view text);

// Signed decimal, no leading zeros.
std::string IntegerToText(std::int32_t value);

// How the settings file reads an integer: a value longer than two characters that starts "0x" or "0X" has
// that prefix read as "$"; then ParseInteger, except that a hexadecimal value has 1 to 8 digits; anything
// unreadable gives the default.
std::int32_t SettingsInteger(std::string_view text, std::int32_t fallback);

}  // namespace tovel
