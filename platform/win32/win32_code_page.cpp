#include "platform/win32/win32_code_page.h"

#include <windows.h>

#include <climits>

#include "platform/sjis.h"
#include "platform/utf8_steps.h"

namespace tovel {
namespace {

constexpr UINT kShiftJis = 932;

// The wide form of bytes in a code page; false when the system refuses one of them.
bool Widen(UINT codePage, std::string_view bytes, std::wstring& out) {
    out.clear();
    if (bytes.empty()) return true;
    if (bytes.size() > INT_MAX / 2) return false;
    const int n = static_cast<int>(bytes.size());
    const int wide = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), n, nullptr, 0);
    if (wide <= 0) return false;
    out.resize(static_cast<std::size_t>(wide));
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), n, out.data(), wide) == wide;
}

// The bytes of wide text in a code page; false when a character has no exact form there.
bool Narrow(UINT codePage, std::wstring_view wide, std::string& out) {
    out.clear();
    if (wide.empty()) return true;
    const int n = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    const int bytes = WideCharToMultiByte(codePage, flags, wide.data(), n, nullptr, 0, nullptr, usedDefaultOut);
    if (bytes <= 0 || usedDefault) return false;
    out.resize(static_cast<std::size_t>(bytes));
    return WideCharToMultiByte(codePage, flags, wide.data(), n, out.data(), bytes, nullptr, usedDefaultOut) == bytes &&
           !usedDefault;
}

// Text converted both ways and compared: exact only when it comes back as the same bytes.
bool ConvertOne(UINT from, UINT to, std::string_view character, std::string& out) {
    std::wstring wide;
    std::string there, back;
    if (!Widen(from, character, wide) || !Narrow(to, wide, there)) return false;
    std::wstring wideAgain;
    if (!Widen(to, there, wideAgain) || !Narrow(from, wideAgain, back) || back != character) return false;
    out += there;
    return true;
}

// The length of the character at `pos`, as the editor steps over it.
std::size_t CharLength(UINT codePage, std::string_view text, std::size_t pos) {
    return (codePage == kShiftJis ? NextCharPos(text, pos) : NextUtf8CharPos(text, pos)) - pos;
}

// The text converted in runs: plain ASCII passes as it is; every other character is converted on its
// own and checked by the way back, so the first one that does not hold exactly is named.
Conversion Convert(UINT from, UINT to, std::string_view text) {
    Conversion result;
    // Most texts convert whole in one go; only one that does not is taken apart to name the character.
    if (ConvertOne(from, to, text, result.text)) return result;
    result.text.clear();
    result.text.reserve(text.size() + text.size() / 2);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t run = pos;
        while (run < text.size() && static_cast<unsigned char>(text[run]) < 0x80) ++run;
        result.text.append(text.substr(pos, run - pos));
        pos = run;
        if (pos == text.size()) break;
        // A run of non-ASCII characters at once, then character by character only when that fails.
        std::size_t end = pos;
        while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x80) end += CharLength(from, text, end);
        const std::string_view chunk = text.substr(pos, end - pos);
        if (ConvertOne(from, to, chunk, result.text)) {
            pos = end;
            continue;
        }
        while (pos < end) {
            const std::size_t length = CharLength(from, text, pos);
            if (!ConvertOne(from, to, text.substr(pos, length), result.text)) {
                result.failedAt = pos;
                return result;
            }
            pos += length;
        }
    }
    return result;
}

}  // namespace

Conversion Win32CodePage::ShiftJisToUtf8(std::string_view shiftJis) { return Convert(kShiftJis, CP_UTF8, shiftJis); }

Conversion Win32CodePage::Utf8ToShiftJis(std::string_view utf8) { return Convert(CP_UTF8, kShiftJis, utf8); }

}  // namespace tovel
