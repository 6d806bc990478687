// The two code-page translations, built from one list of 36 letter pairs.
#include <array>

#include "encoding.h"

namespace {

/// Each accented letter of the collection as (ISO-8859-1 byte, code page 850 byte).
constexpr unsigned char kPairs[36][2] = {
    {0xC0, 0xB7}, {0xC1, 0xB5}, {0xC2, 0xB6}, {0xC3, 0xC7}, {0xC7, 0x80}, {0xC8, 0xD4},
    {0xC9, 0x90}, {0xCA, 0xD2}, {0xCC, 0xDE}, {0xCD, 0xD6}, {0xCE, 0xD7}, {0xD2, 0xE3},
    {0xD3, 0xE0}, {0xD4, 0xE2}, {0xD5, 0xE5}, {0xD9, 0xEB}, {0xDA, 0xE9}, {0xDB, 0xEA},
    {0xE0, 0x85}, {0xE1, 0xA0}, {0xE2, 0x83}, {0xE3, 0xC6}, {0xE7, 0x87}, {0xE8, 0x8A},
    {0xE9, 0x82}, {0xEA, 0x88}, {0xEC, 0x8D}, {0xED, 0xA1}, {0xEE, 0x8C}, {0xF2, 0x95},
    {0xF3, 0xA2}, {0xF4, 0x93}, {0xF5, 0xE4}, {0xF9, 0x97}, {0xFA, 0xA3}, {0xFB, 0x96},
};

/// A byte-to-byte table: identity except for the pairs, read `from` column -> `to` column.
constexpr std::array<unsigned char, 256> make_table(int from, int to) {
  std::array<unsigned char, 256> table{};
  for (int b = 0; b < 256; ++b) table[b] = static_cast<unsigned char>(b);
  for (const auto& pair : kPairs) table[pair[from]] = pair[to];
  return table;
}

constexpr auto kFileToConsole = make_table(0, 1);
constexpr auto kConsoleToFile = make_table(1, 0);

/// Each byte is looked up once, so a byte the table wrote is never translated again.
void translate(char* text, int limit, const std::array<unsigned char, 256>& table) {
  for (int i = 0; i < limit && text[i] != '\0'; ++i)
    text[i] = static_cast<char>(table[static_cast<unsigned char>(text[i])]);
}

}  // namespace

void transl_f2c(char* text, int limit) { translate(text, limit, kFileToConsole); }

void transl_c2f(char* text, int limit) { translate(text, limit, kConsoleToFile); }
