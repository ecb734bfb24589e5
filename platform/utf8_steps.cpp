#include "platform/utf8_steps.h"

namespace tovel {

bool ValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = Utf8Length(text, pos);
        if (length == 0) return false;
        pos += length;
    }
    return true;
}

std::size_t NextUtf8CharPos(std::string_view text, std::size_t pos) {
    const std::size_t length = Utf8Length(text, pos);
    return pos + (length == 0 ? 1 : length);
}

std::size_t Utf8PasteFits(std::string_view text, std::size_t room) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t next = NextUtf8CharPos(text, pos);
        if (text[pos] == '\r' && next < text.size() && text[next] == '\n') ++next;
        if (next > room) break;
        pos = next;
    }
    return pos;
}

}  // namespace tovel
