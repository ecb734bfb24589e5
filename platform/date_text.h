#pragma once
// The date-and-time text, written from the regional date and time pictures read once at start.
#include <array>
#include <string>
#include <string_view>

namespace tovel {

struct LocalTime {
    int year = 0, month = 1, day = 1, dayOfWeek = 0;  // dayOfWeek: 0 = Sunday
    int hour = 0, minute = 0, second = 0;
};

struct RegionalFormats {
    std::string shortDate = "yyyy/MM/dd";  // regional picture, e.g. "yyyy/MM/dd"
    std::string longTime = "H:mm:ss";      // e.g. "H:mm:ss"
    std::array<std::string, 7> shortDayNames{"日", "月", "火", "水", "木", "金", "土"};
    std::array<std::string, 7> longDayNames{"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};
    std::array<std::string, 12> shortMonthNames{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
    std::array<std::string, 12> longMonthNames{"1月", "2月", "3月", "4月",  "5月",  "6月",
                                               "7月", "8月", "9月", "10月", "11月", "12月"};
    std::string am = "午前", pm = "午後";
};

// Writes one regional picture: d dd ddd dddd, M MM MMM MMMM, y yy yyyy, h hh H HH, m mm, s ss, t tt,
// 'quoted text'; any other byte is copied (double-byte characters whole).
std::string FormatPicture(std::string_view picture, const LocalTime& time, const RegionalFormats& formats);

// The short date, then, unless the time is exactly 0:00:00, a space and the long time.
std::string DateTimeText(const LocalTime& time, const RegionalFormats& formats);

}  // namespace tovel
