#pragma once
// Layout arithmetic of the two dialogs the program builds itself (the input dialog and the message
// dialog), and the text a message dialog puts on the clipboard. Pure: the Win32 side measures text and
// fonts and passes the numbers in, so the rules can be checked without a screen.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace tovel::dialogs {

// a * b / c rounded half away from zero, as the platform's MulDiv does; -1 when c is 0.
constexpr int MulDivRound(int a, int b, int c) {
    if (c == 0) return -1;
    const long long p = static_cast<long long>(a) * b;
    long long q = p / c;
    const long long r = p % c;
    if (2 * (r < 0 ? -r : r) >= (c < 0 ? -static_cast<long long>(c) : c)) q += (p < 0) == (c < 0) ? 1 : -1;
    return static_cast<int>(q);
}

// Dialog units of a font: x = width of "A".."Z""a".."z" / 52, y = the height of that text.
struct DialogUnits {
    int x = 0;
    int y = 0;
    static constexpr DialogUnits FromAlphabet(int alphabetWidth, int alphabetHeight) {
        return {alphabetWidth / 52, alphabetHeight};
    }
    constexpr int H(int units) const { return MulDivRound(units, x, 4); }
    constexpr int V(int units) const { return MulDivRound(units, y, 8); }
};

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    constexpr int Right() const { return x + w; }
    constexpr int Bottom() const { return y + h; }
    friend constexpr bool operator==(const Box&, const Box&) = default;
};

struct InputBoxLayout {
    int clientWidth = 0, clientHeight = 0;
    Box prompt, edit, ok, cancel;
};

// promptHeight: the prompt measured word-wrapped within PromptWidth(u); editHeight: the edit box's height.
constexpr int PromptWidth(DialogUnits u) { return u.H(164); }

constexpr InputBoxLayout LayoutInputBox(DialogUnits u, int promptHeight, int editHeight) {
    InputBoxLayout l;
    l.prompt = {u.H(8), u.V(8), PromptWidth(u), promptHeight};
    l.edit = {u.H(8), l.prompt.Bottom() + 5, u.H(164), editHeight};
    const int top = l.edit.Bottom() + 15;
    l.ok = {u.H(38), top, u.H(50), u.V(14)};
    l.cancel = {u.H(92), top, u.H(50), u.V(14)};
    l.clientWidth = u.H(180);
    l.clientHeight = l.ok.Bottom() + 13;
    return l;
}

constexpr int kIconSize = 32;

struct MessageLayout {
    int clientWidth = 0, clientHeight = 0;
    Box icon;  // zero size when there is no icon
    Box text;
    std::vector<Box> buttons;
};

// textWidth/textHeight: the message measured word-wrapped within half the screen width;
// captionWidths: each button caption's drawn width, left to right.
inline MessageLayout LayoutMessage(DialogUnits u, int textWidth, int textHeight, bool hasIcon,
                                   const std::vector<int>& captionWidths) {
    MessageLayout l;
    const int margin = u.H(8), top = u.V(8);
    int textLeft = margin, blockWidth = textWidth, blockHeight = textHeight;
    if (hasIcon) {
        l.icon = {margin, top, kIconSize, kIconSize};
        textLeft = margin + kIconSize + u.H(10);
        blockWidth = textLeft - margin + textWidth;
        blockHeight = std::max(textHeight, kIconSize);
    }
    l.text = {textLeft, top, textWidth, textHeight};

    int buttonWidth = u.H(50);
    for (int w : captionWidths) buttonWidth = std::max(buttonWidth, w + 8);
    const int buttonHeight = u.V(14), gap = u.H(4);
    const int count = static_cast<int>(captionWidths.size());
    const int rowWidth = count > 0 ? count * buttonWidth + (count - 1) * gap : 0;

    l.clientWidth = std::max(blockWidth, rowWidth) + 2 * margin;
    l.clientHeight = blockHeight + buttonHeight + u.V(10) + 2 * top;
    const int rowTop = top + blockHeight + u.V(10);
    int x = (l.clientWidth - rowWidth) / 2;
    for (int i = 0; i < count; ++i, x += buttonWidth + gap) l.buttons.push_back({x, rowTop, buttonWidth, buttonHeight});
    return l;
}

// A button caption as copied: every "&" removed (a Shift-JIS trail byte is never "&").
inline std::string WithoutAmpersands(std::string_view caption) {
    std::string out;
    for (char c : caption)
        if (c != '&') out += c;
    return out;
}

// What Ctrl+C in a message dialog puts on the clipboard.
inline std::string MessageCopyText(std::string_view caption, std::string_view message,
                                   const std::vector<std::string>& buttonCaptions) {
    const std::string divider = std::string(27, '-') + "\r\n";
    std::string out = divider;
    out.append(caption).append("\r\n").append(divider);
    out.append(message).append("\r\n").append(divider);
    for (const auto& b : buttonCaptions) out += WithoutAmpersands(b) + "   ";
    out += "\r\n" + divider;
    return out;
}

}  // namespace tovel::dialogs
