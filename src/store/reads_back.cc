// What the record reader can read back whole: the check made before a quotation is stored.
#include "encoding.h"
#include "record_reader.h"

bool reads_back_whole(const char* quote) {
  if (quote[0] != '"') return false;
  const char* p = quote + 1;
  while (*p != '\0' && *p != '"' && admitted_in_quote(static_cast<unsigned char>(*p))) ++p;
  if (*p != '"') return false;
  for (++p; *p != '\0'; ++p)
    if (*p != ' ' && *p != '\t' && *p != '\r') return false;
  return true;
}
