#include "platform/sjis.h"

#include <algorithm>

namespace tovel {

LeadByteTable::LeadByteTable(const bool (&lead)[256], const bool (&trail)[256]) {
    std::copy(lead, lead + 256, m_lead);
    std::copy(trail, trail + 256, m_trail);
}

const LeadByteTable& LeadByteTable::ShiftJis() {
    static const LeadByteTable table = [] {
        bool lead[256], trail[256];
        for (int b = 0; b < 256; ++b) {
            lead[b] = IsLeadByte(static_cast<unsigned char>(b));
            trail[b] = IsTrailByte(static_cast<unsigned char>(b));
        }
        return LeadByteTable(lead, trail);
    }();
    return table;
}

const LeadByteTable& LeadByteTable::SingleByte() {
    static const bool none[256] = {};
    static const LeadByteTable table(none, none);
    return table;
}

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

std::size_t PasteFits(std::string_view text, std::size_t room) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t next = NextCharPos(text, pos);
        if (text[pos] == '\r' && next < text.size() && text[next] == '\n') ++next;
        if (next > room) break;
        pos = next;
    }
    return pos;
}

}  // namespace tovel
