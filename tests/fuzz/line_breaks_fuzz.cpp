// Line-break normalisation: only CR and LF change, every break becomes CR LF, and normalising twice
// changes nothing more.
#include <string>

#include "platform/byte_string.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    const std::string_view in = fuzz::Bytes(data, size);
    const std::string out = NormalizeLineBreaks(in);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (out[i] == '\r') fuzz::Check(i + 1 < out.size() && out[i + 1] == '\n', "a CR without its LF");
        if (out[i] == '\n') fuzz::Check(i > 0 && out[i - 1] == '\r', "an LF without its CR");
    }
    std::string inText, outText;
    for (char c : in)
        if (c != '\r' && c != '\n') inText += c;
    for (char c : out)
        if (c != '\r' && c != '\n') outText += c;
    fuzz::Check(inText == outText, "a byte other than a break changed");
    fuzz::Check(NormalizeLineBreaks(out) == out, "normalising again changed the text");
    return 0;
}
