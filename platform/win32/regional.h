#pragma once
#include "platform/date_text.h"

namespace tovel {

// The user's regional short-date and long-time pictures, day and month names, read from the system.
RegionalFormats ReadRegionalFormats();

// The current local time.
LocalTime CurrentLocalTime();

}  // namespace tovel
