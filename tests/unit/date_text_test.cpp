#include "platform/date_text.h"

#include <gtest/gtest.h>

namespace tovel {
namespace {

TEST(DateTimeText, MidnightShowsTheDateAlone) {
    RegionalFormats f;
    EXPECT_EQ(DateTimeText({2026, 12, 7, 1, 0, 0, 0}, f), "2026/12/07");
    EXPECT_EQ(DateTimeText({2026, 12, 7, 1, 0, 0, 1}, f), "2026/12/07 0:00:01");
    EXPECT_EQ(DateTimeText({2026, 1, 2, 5, 13, 5, 9}, f), "2026/01/02 13:05:09");
}

TEST(FormatPicture, RegionalTokens) {
    RegionalFormats f;
    LocalTime t{2026, 3, 4, 3, 15, 7, 8};
    EXPECT_EQ(FormatPicture("yy/M/d", t, f), "26/3/4");
    EXPECT_EQ(FormatPicture("yyyy'年'M'月'd'日'(ddd)", t, f), "2026年3月4日(水)");
    EXPECT_EQ(FormatPicture("tt h:mm:ss", t, f), "午後 3:07:08");
    EXPECT_EQ(FormatPicture("hh:mm tt", {2026, 3, 4, 3, 0, 7, 8}, f), "12:07 午前");
    EXPECT_EQ(FormatPicture("HH時mm分", t, f), "15時07分");
    EXPECT_EQ(FormatPicture("dddd MMMM", t, f), "水曜日 3月");
}

}  // namespace
}  // namespace tovel
