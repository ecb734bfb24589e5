#include "AboutBox/jpeg_decode.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

// jpeglib.h needs FILE from <cstdio>.
#include <jpeglib.h>

#include "platform/error.h"

namespace tovel {
namespace {

// libjpeg's default error manager prints and calls exit(). This one jumps back into DecodeInto, which
// cleans up and reports; the C++ exception is raised only after libjpeg's frames are gone.
struct JumpingErrorManager {
    jpeg_error_mgr base;  // first member: libjpeg hands back a pointer to it
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JumpingErrorManager*>(cinfo->err);
    err->base.format_message(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings mean corrupt data that libjpeg would patch over (a truncated file comes out grey at the
// bottom); a damaged logo is reported instead. Trace messages (level > 0) are dropped.
void EmitMessage(j_common_ptr cinfo, int level) {
    if (level < 0) ErrorExit(cinfo);
}

void OutputMessage(j_common_ptr) {}

// Decodes into `image`, or fills `message` and returns false. No object with a destructor lives in this
// frame after setjmp, so the long jump skips nothing C++ would have to unwind.
bool DecodeInto(const unsigned char* data, std::size_t size, JpegImage* image, char* message) {
    jpeg_decompress_struct cinfo{};
    JumpingErrorManager err{};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = ErrorExit;
    err.base.emit_message = EmitMessage;
    err.base.output_message = OutputMessage;
    err.message[0] = '\0';
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        std::memcpy(message, err.message, sizeof err.message);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_EXT_BGR;  // the DIB byte order, straight from the decoder
    jpeg_calc_output_dimensions(&cinfo);

    const std::size_t stride = (static_cast<std::size_t>(cinfo.output_width) * 3 + 3) & ~std::size_t{3};
    const std::size_t total = stride * cinfo.output_height;
    if (cinfo.output_width == 0 || cinfo.output_height == 0 || total > kMaxJpegPixelBytes) {
        jpeg_destroy_decompress(&cinfo);
        std::snprintf(message, JMSG_LENGTH_MAX, "%ux%u", cinfo.output_width, cinfo.output_height);
        return false;
    }
    try {
        image->pixels.assign(total, 0);
    } catch (const std::bad_alloc&) {
        jpeg_destroy_decompress(&cinfo);
        std::snprintf(message, JMSG_LENGTH_MAX, "out of memory");
        return false;
    }
    image->width = static_cast<int>(cinfo.output_width);
    image->height = static_cast<int>(cinfo.output_height);
    image->stride = static_cast<int>(stride);

    jpeg_start_decompress(&cinfo);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image->pixels.data() + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

}  // namespace

JpegImage DecodeJpeg(std::string_view bytes) {
    JpegImage image;
    char message[JMSG_LENGTH_MAX] = "";
    if (bytes.empty()) {
        std::snprintf(message, sizeof message, "empty");
    } else if (bytes.size() > std::numeric_limits<unsigned long>::max()) {  // libjpeg's size type: 32 bits on Windows
        std::snprintf(message, sizeof message, "too large");
    } else if (DecodeInto(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &image, message)) {
        return image;
    }
    throw Error(FormatText("JPEG イメージが不正です (%s)", message));
}

}  // namespace tovel
