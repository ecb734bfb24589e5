// Reading a file in any format never crashes; a load said to be exact saves back to the very same bytes,
// with nothing the format cannot hold; a load that is not exact holds the file's bytes unchanged.
#include <string>

#include "document/text_format.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    const std::string_view in = fuzz::Bytes(data, size);
    const TextFormat detected = DetectFormat(in);
    // The detected format, and each format with and without a byte-order mark.
    for (int choice = -1; choice < 12; ++choice) {
        const TextFormat format =
            choice < 0 ? detected : TextFormat{static_cast<Encoding>(choice / 2), choice % 2 == 1};
        const DecodeResult result = Decode(in, format);
        if (!result.exact) {
            fuzz::Check(result.held == in, "a load that is not exact changed the bytes");
            fuzz::Check(!result.reason.empty() && result.offset <= in.size(), "no reason or an offset past the end");
            continue;
        }
        fuzz::Check(!FindUnencodable(result.held, format), "an exact load holds a character it cannot save");
        fuzz::Check(Encode(result.held, format) == in, "an exact load does not save back the same bytes");
    }
    return 0;
}
