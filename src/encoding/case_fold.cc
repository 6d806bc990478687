// Lower-casing of console text for the search that ignores letter case.
#include "accented_letters.h"
#include "encoding.h"

void tolow_c(char* text) {
  for (; *text != '\0'; ++text)
    *text = static_cast<char>(accented::kConsoleFold[static_cast<unsigned char>(*text)]);
}
