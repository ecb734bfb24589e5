#pragma once
// The colour dialog's rules that need no screen: its sixteen custom colours, kept as texts for the whole
// run, and where the dialog stands on a monitor.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tovel {

inline constexpr int kCustomColorCount = 16;

// The custom colours "ColorA" to "ColorP", each a hexadecimal RGB text (0x00BBGGRR as digits); all
// "FFFFFFFF" at the start of a run. Handed to the dialog at every opening, read back after OK.
class CustomColors {
public:
    CustomColors() { m_texts.fill("FFFFFFFF"); }

    // "ColorA" for 0 to "ColorP" for 15.
    static std::string Name(int index);
    const std::string& Text(int index) const { return m_texts[static_cast<std::size_t>(index)]; }

    // The colours as the dialog takes them (0x00BBGGRR).
    std::array<std::uint32_t, kCustomColorCount> ToDialog() const;
    // Takes the dialog's colours back, each written as at least six hexadecimal digits.
    void FromDialog(const std::array<std::uint32_t, kCustomColorCount>& colors);

private:
    std::array<std::string, kCustomColorCount> m_texts;
};

// A text's colour: its hexadecimal value cut to the 24 colour bits; a text that is no hexadecimal number
// gives white, the colour of an unused entry.
std::uint32_t CustomColorValue(std::string_view text);
// Upper-case hexadecimal, at least six digits.
std::string CustomColorText(std::uint32_t color);

struct MonitorRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
struct Placement {
    int left = 0, top = 0;
    friend bool operator==(const Placement&, const Placement&) = default;
};

// Centred across the monitor, its top at one third of the height the dialog leaves over. A dialog larger
// than the monitor starts at the monitor's edge, so its caption stays reachable.
Placement PlaceAtOneThird(const MonitorRect& monitor, int width, int height);

}  // namespace tovel
