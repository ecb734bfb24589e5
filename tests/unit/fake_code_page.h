#pragma once
// Shift-JIS <-> UTF-8 for the host: ASCII and a small table of Japanese characters; anything else has no
// form on the other side, as a character outside code page 932 has none.
#include <string>
#include <string_view>
#include <utility>

#include "platform/code_page.h"
#include "platform/sjis.h"

namespace tovel::test {

// A UTF-8 text written as such in a test (plain literals are compiled to Shift-JIS).
inline std::string U8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

class TableCodePage : public ICodePage {
public:
    // Shift-JIS, UTF-8.
    static constexpr std::pair<std::string_view, std::string_view> kTable[] = {
        {"\x82\xa0", "\xe3\x81\x82"},  // あ
        {"\x93\xfa", "\xe6\x97\xa5"},  // 日
        {"\x96\x7b", "\xe6\x9c\xac"},  // 本
        {"\x8c\xea", "\xe8\xaa\x9e"},  // 語
        {"\x95\x5c", "\xe8\xa1\xa8"},  // 表
        {"\x87\x40", "\xe2\x91\xa0"},  // ①
        {"\xb1", "\xef\xbd\xb1"},      // ｱ
    };
    Conversion ShiftJisToUtf8(std::string_view text) override { return Convert(text, true); }
    Conversion Utf8ToShiftJis(std::string_view text) override { return Convert(text, false); }

private:
    static Conversion Convert(std::string_view text, bool fromShiftJis) {
        Conversion result;
        for (std::size_t pos = 0; pos < text.size();) {
            if (static_cast<unsigned char>(text[pos]) < 0x80) {
                result.text += text[pos++];
                continue;
            }
            bool found = false;
            for (const auto& [sjis, utf8] : kTable) {
                const std::string_view from = fromShiftJis ? sjis : utf8, to = fromShiftJis ? utf8 : sjis;
                if (text.substr(pos, from.size()) == from) {
                    result.text += to;
                    pos += from.size();
                    found = true;
                    break;
                }
            }
            if (!found) {
                result.failedAt = pos;
                return result;
            }
        }
        return result;
    }
};

}  // namespace tovel::test
