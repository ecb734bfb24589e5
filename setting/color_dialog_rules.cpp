#include "setting/color_dialog_rules.h"

#include <algorithm>
#include <cstdio>

namespace tovel {

std::string CustomColors::Name(int index) { return std::string("Color") + static_cast<char>('A' + index); }

std::array<std::uint32_t, kCustomColorCount> CustomColors::ToDialog() const {
    std::array<std::uint32_t, kCustomColorCount> colors{};
    for (std::size_t i = 0; i < colors.size(); ++i) colors[i] = CustomColorValue(m_texts[i]);
    return colors;
}

void CustomColors::FromDialog(const std::array<std::uint32_t, kCustomColorCount>& colors) {
    for (std::size_t i = 0; i < colors.size(); ++i) m_texts[i] = CustomColorText(colors[i]);
}

std::uint32_t CustomColorValue(std::string_view text) {
    constexpr std::uint32_t kWhite = 0xFFFFFF;
    if (text.empty() || text.size() > 8) return kWhite;
    std::uint32_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else {
            return kWhite;
        }
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value & kWhite;
}

std::string CustomColorText(std::uint32_t color) {
    char text[16];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color));
    return text;
}

Placement PlaceAtOneThird(const MonitorRect& monitor, int width, int height) {
    const int left = monitor.left + (monitor.right - monitor.left - width) / 2;
    const int top = monitor.top + (monitor.bottom - monitor.top - height) / 3;
    return {std::max(left, monitor.left), std::max(top, monitor.top)};
}

}  // namespace tovel
