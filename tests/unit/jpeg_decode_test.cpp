// The logo's decoder on the host: the committed logo decodes to its design size in BGR rows; cut or
// damaged copies of it raise tovel::Error.
#include "AboutBox/jpeg_decode.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/error.h"

namespace tovel {
namespace {

std::string Logo() {
    std::ifstream in(TOVEL_SOURCE_DIR "/AboutBox/tovel_logo.jpg", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(JpegDecodeTest, LogoDecodesAndItsDamagedCopiesRaise) {
    const std::string logo = Logo();
    ASSERT_GT(logo.size(), 1000u);
    const JpegImage image = DecodeJpeg(logo);
    EXPECT_EQ(image.width, 359);
    EXPECT_EQ(image.height, 219);
    EXPECT_EQ(image.stride, 1080);  // 359 * 3 rounded up to a multiple of 4
    ASSERT_EQ(image.pixels.size(), 1080u * 219);
    const std::uint8_t* stripe = image.Pixel(200, 153);  // #2A7AB8, stored blue first
    EXPECT_NEAR(stripe[0], 0xB8, 12);
    EXPECT_NEAR(stripe[1], 0x7A, 12);
    EXPECT_NEAR(stripe[2], 0x2A, 12);

    std::string noMarkers = logo;
    for (std::size_t i = 2; i < noMarkers.size(); ++i)
        if (noMarkers[i] == '\xFF') noMarkers[i] = '\x00';
    const struct {
        const char* what;
        std::string bytes;
    } damaged[] = {
        {"empty", ""},
        {"start marker only", logo.substr(0, 2)},
        {"cut in the tables", logo.substr(0, 300)},
        {"cut in the picture data", logo.substr(0, logo.size() / 2)},
        {"last bytes lost", logo.substr(0, logo.size() - 2)},
        {"markers wiped", noMarkers},
    };
    for (const auto& d : damaged) {
        try {
            DecodeJpeg(d.bytes);
            ADD_FAILURE() << d.what << ": decoded";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()).rfind("JPEG", 0), 0u) << d.what << ": " << e.what();
        }
    }
}

}  // namespace
}  // namespace tovel
