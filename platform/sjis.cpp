#include "platform/sjis.h"

namespace tovel {

std::size_t LastCharStart(std::string_view text) {
    std::size_t pos = 0, last = 0;
    while (pos < text.size()) {
        last = pos;
        pos = NextCharPos(text, pos);
    }
    return last;
}

std::size_t CharCountOfBytes(std::string_view text, std::size_t bytes) {
    std::size_t pos = 0, count = 0;
    while (pos < bytes && pos < text.size()) {
        pos = NextCharPos(text, pos);
        ++count;
    }
    return count;
}

std::size_t ByteOffsetOfChars(std::string_view text, std::size_t chars) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < chars && pos < text.size(); ++i) pos = NextCharPos(text, pos);
    return pos < text.size() ? pos : text.size();
}

}  // namespace tovel
