// The local date and time as the backup stamp records it, through each system's
// reentrant form of ctime.
#include "local_date.h"

bool local_date_text(std::time_t when, char* text, std::size_t size) {
  if (size < 26) return false;
#ifdef _WIN32
  return ctime_s(text, size, &when) == 0;
#else
  return ctime_r(&when, text) != nullptr;
#endif
}
