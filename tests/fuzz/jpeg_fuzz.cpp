// The logo's decoder on any bytes: it either raises tovel::Error or gives a picture whose buffer holds
// exactly its padded BGR rows, within the decoder's size limit. libjpeg's warnings and errors come back
// as that error: none may print, exit or abort (libFuzzer reports an exit as a crash).
#include <cstring>

#include "AboutBox/jpeg_decode.h"
#include "platform/error.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tovel;
    JpegImage image;
    try {
        image = DecodeJpeg(fuzz::Bytes(data, size));
    } catch (const Error& e) {
        fuzz::Check(std::strncmp(e.what(), "JPEG ", 5) == 0, "a refusal with another message");
        return 0;
    }
    fuzz::Check(size > 0, "an empty file decodes");
    fuzz::Check(image.width > 0 && image.height > 0, "a picture without pixels");
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    fuzz::Check(image.stride % 4 == 0 && static_cast<std::size_t>(image.stride) >= rowBytes &&
                    static_cast<std::size_t>(image.stride) < rowBytes + 4,
                "the rows are not padded to the next multiple of four");
    fuzz::Check(image.pixels.size() == static_cast<std::size_t>(image.stride) * image.height,
                "the buffer is not the rows");
    fuzz::Check(image.pixels.size() <= kMaxJpegPixelBytes, "a picture beyond the size limit");
    // The last pixel of the last row is readable where Pixel() says.
    const std::uint8_t* last = image.Pixel(image.width - 1, image.height - 1);
    fuzz::Check(last + 3 <= image.pixels.data() + image.pixels.size(), "the last pixel lies outside the buffer");
    return 0;
}
