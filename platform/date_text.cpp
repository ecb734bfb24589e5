#include "platform/date_text.h"

#include <cstdio>

#include "platform/sjis.h"

namespace tovel {
namespace {

std::string Padded(int value, int width) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    return buf;
}

}  // namespace

std::string FormatPicture(std::string_view picture, const LocalTime& t, const RegionalFormats& f) {
    std::string out;
    std::size_t i = 0;
    while (i < picture.size()) {
        char c = picture[i];
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c) ++run;
        switch (c) {
            case 'd':
                out += run == 1   ? std::to_string(t.day)
                       : run == 2 ? Padded(t.day, 2)
                       : run == 3 ? f.shortDayNames[t.dayOfWeek % 7]
                                  : f.longDayNames[t.dayOfWeek % 7];
                break;
            case 'M':
                out += run == 1   ? std::to_string(t.month)
                       : run == 2 ? Padded(t.month, 2)
                       : run == 3 ? f.shortMonthNames[(t.month + 11) % 12]
                                  : f.longMonthNames[(t.month + 11) % 12];
                break;
            case 'y':
                out += run == 1 ? std::to_string(t.year % 100) : run == 2 ? Padded(t.year % 100, 2) : Padded(t.year, 4);
                break;
            case 'h': {
                int h12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
                out += run == 1 ? std::to_string(h12) : Padded(h12, 2);
                break;
            }
            case 'H':
                out += run == 1 ? std::to_string(t.hour) : Padded(t.hour, 2);
                break;
            case 'm':
                out += run == 1 ? std::to_string(t.minute) : Padded(t.minute, 2);
                break;
            case 's':
                out += run == 1 ? std::to_string(t.second) : Padded(t.second, 2);
                break;
            case 't': {
                const std::string& mark = t.hour < 12 ? f.am : f.pm;
                out += run == 1 ? mark.substr(0, NextCharPos(mark, 0)) : mark;
                break;
            }
            case '\'': {
                std::size_t close = picture.find('\'', i + 1);
                if (close == std::string_view::npos) close = picture.size();
                out.append(picture.substr(i + 1, close - i - 1));
                i = close + 1;
                continue;
            }
            default: {
                std::size_t next = NextCharPos(picture, i);
                out.append(picture.substr(i, next - i));
                i = next;
                continue;
            }
        }
        i += run;
    }
    return out;
}

std::string DateTimeText(const LocalTime& time, const RegionalFormats& formats) {
    std::string text = FormatPicture(formats.shortDate, time, formats);
    if (time.hour != 0 || time.minute != 0 || time.second != 0) {
        text += ' ';
        text += FormatPicture(formats.longTime, time, formats);
    }
    return text;
}

}  // namespace tovel
