// Both integer rules: never crash, read what they write back, and the settings rule takes no more
// hexadecimal digits than the dialogs' rule.
#include <string>

#include "platform/integer_rule.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    const std::string_view in = fuzz::Bytes(data, size);
    const auto value = ParseInteger(in);
    if (value) fuzz::Check(ParseInteger(IntegerToText(*value)) == value, "a value does not read back");
    // The settings rule reads "0x" as "$" and otherwise accepts a subset of what a dialog accepts.
    constexpr std::int32_t kFallback = 12345;
    const std::int32_t setting = SettingsInteger(in, kFallback);
    if (setting != kFallback) {
        std::string rewritten(in);
        if (rewritten.size() > 2 && rewritten[0] == '0' && (rewritten[1] == 'x' || rewritten[1] == 'X')) {
            rewritten.replace(0, 2, "$");
        }
        fuzz::Check(ParseInteger(rewritten) == setting, "the settings rule read what a dialog would not");
    }
    return 0;
}
