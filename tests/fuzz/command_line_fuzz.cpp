// Command-line splitting: never crashes, no argument is empty or holds a quote or NUL, and an argument
// quoted back in splits to itself.
#include "platform/command_line.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    // A process command line is a C string: it ends at its first NUL.
    std::string_view line = fuzz::Bytes(data, size);
    line = line.substr(0, line.find('\0'));
    const auto arguments = CommandLineArguments(line);
    for (const std::string& a : arguments) {
        fuzz::Check(!a.empty(), "an empty argument");
        fuzz::Check(a.find('"') == std::string::npos, "an argument holds a quote");
        fuzz::Check(a.find('\0') == std::string::npos, "an argument holds NUL");
        const auto again = CommandLineArguments("prog \"" + a + "\"");
        fuzz::Check(again.size() == 1 && again[0] == a, "a quoted argument does not split to itself");
    }
    return 0;
}
