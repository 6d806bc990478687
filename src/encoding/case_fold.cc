// Lower-casing and unaccenting of console text, for the searches that ignore them.
#include "accented_letters.h"
#include "encoding.h"

void tolow_c(char* text) {
  for (; *text != '\0'; ++text)
    *text = static_cast<char>(accented::kConsoleFold[static_cast<unsigned char>(*text)]);
}

void unaccent_c(char* text) {
  for (; *text != '\0'; ++text)
    *text = static_cast<char>(accented::kConsoleUnaccent[static_cast<unsigned char>(*text)]);
}
