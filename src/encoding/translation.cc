// The two code-page translations, through the tables of the accented letters.
#include "accented_letters.h"
#include "encoding.h"

namespace {

using accented::ByteTable;

/// Each byte is looked up once, so a byte the table wrote is never translated again.
void translate(char* text, int limit, const ByteTable& table) {
  for (int i = 0; i < limit && text[i] != '\0'; ++i)
    text[i] = static_cast<char>(table[static_cast<unsigned char>(text[i])]);
}

}  // namespace

void transl_f2c(char* text, int limit) { translate(text, limit, accented::kFileToConsole); }

void transl_c2f(char* text, int limit) { translate(text, limit, accented::kConsoleToFile); }

bool keeps_its_byte(unsigned char console) {
  return accented::kFileToConsole[accented::kConsoleToFile[console]] == console;
}

bool reads_back_as_typed(const char* text) {
  for (; *text != '\0'; ++text)
    if (!keeps_its_byte(static_cast<unsigned char>(*text))) return false;
  return true;
}
