// The local date and time as the backup stamp records it.
#pragma once

#include <cstddef>
#include <ctime>

/// Writes `when` in local time as 24 characters and a newline, "Mon Dec  7 19:50:00 2026\n",
/// NUL-terminated, into `text` of `size` bytes (26 are enough). False when the time cannot
/// be told in that layout (a year outside 1000-9999) or does not fit.
bool local_date_text(std::time_t when, char* text, std::size_t size);
