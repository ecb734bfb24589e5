#include "platform/win32/regional.h"

#include <windows.h>

namespace tovel {
namespace {

std::string LocaleText(LCTYPE type, const std::string& fallback) {
    char buf[256] = {};
    const int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf);
    return n > 1 ? std::string(buf, n - 1) : fallback;
}

}  // namespace

RegionalFormats ReadRegionalFormats() {
    RegionalFormats f;
    f.shortDate = LocaleText(LOCALE_SSHORTDATE, f.shortDate);
    f.longTime = LocaleText(LOCALE_STIMEFORMAT, f.longTime);
    // Windows lists days from Monday; the program indexes them from Sunday.
    for (int i = 0; i < 7; ++i) {
        const int fromMonday = (i + 6) % 7;
        f.shortDayNames[i] = LocaleText(LOCALE_SABBREVDAYNAME1 + fromMonday, f.shortDayNames[i]);
        f.longDayNames[i] = LocaleText(LOCALE_SDAYNAME1 + fromMonday, f.longDayNames[i]);
    }
    for (int i = 0; i < 12; ++i) {
        f.shortMonthNames[i] = LocaleText(LOCALE_SABBREVMONTHNAME1 + i, f.shortMonthNames[i]);
        f.longMonthNames[i] = LocaleText(LOCALE_SMONTHNAME1 + i, f.longMonthNames[i]);
    }
    f.am = LocaleText(LOCALE_S1159, f.am);
    f.pm = LocaleText(LOCALE_S2359, f.pm);
    return f;
}

LocalTime CurrentLocalTime() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return LocalTime{st.wYear, st.wMonth, st.wDay, st.wDayOfWeek, st.wHour, st.wMinute, st.wSecond};
}

}  // namespace tovel
