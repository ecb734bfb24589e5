#include "platform/utf8_steps.h"

namespace tovel {
namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

std::size_t NextUtf8CharPos(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    // The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    }
    if (length == 1 || pos + length > text.size()) return pos + 1;
    const auto second = static_cast<unsigned char>(text[pos + 1]);
    if (second < low || second > high) return pos + 1;
    for (std::size_t i = 2; i < length; ++i) {
        if (!IsContinuation(static_cast<unsigned char>(text[pos + i]))) return pos + 1;
    }
    return pos + length;
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
