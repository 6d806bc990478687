// The local date and time as the backup stamp records it: C's asctime layout, formatted
// here because Windows' own puts a zero before a one-digit day.
#include "local_date.h"

#include <cstdio>

bool local_date_text(std::time_t when, char* text, std::size_t size) {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  constexpr std::size_t kLength = 25;  // 24 characters and the newline
  if (size <= kLength) return false;
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &when) != 0) return false;
#else
  if (localtime_r(&when, &local) == nullptr) return false;
#endif
  if (local.tm_wday < 0 || local.tm_wday > 6 || local.tm_mon < 0 || local.tm_mon > 11 ||
      local.tm_year < 1000 - 1900 || local.tm_year > 9999 - 1900)
    return false;  // not 24 characters
  int n = std::snprintf(text, size, "%s %s%3d %.2d:%.2d:%.2d %d\n", kDays[local.tm_wday],
                        kMonths[local.tm_mon], local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec, local.tm_year + 1900);
  return n == static_cast<int>(kLength);
}
