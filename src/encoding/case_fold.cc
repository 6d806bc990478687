// Lower-casing of console text for the search that ignores letter case.
#include <array>

#include "encoding.h"

namespace {

/// The 18 accented capitals of code page 850 and their small letters.
constexpr unsigned char kAccentedCapitals[18][2] = {
    {0xB7, 0x85}, {0xB5, 0xA0}, {0xB6, 0x83}, {0xC7, 0xC6}, {0x80, 0x87}, {0xD4, 0x8A},
    {0x90, 0x82}, {0xD2, 0x88}, {0xDE, 0x8D}, {0xD6, 0xA1}, {0xD7, 0x8C}, {0xE3, 0x95},
    {0xE0, 0xA2}, {0xE2, 0x93}, {0xE5, 0xE4}, {0xEB, 0x97}, {0xE9, 0xA3}, {0xEA, 0x96},
};

constexpr std::array<unsigned char, 256> make_fold() {
  std::array<unsigned char, 256> fold{};
  for (int b = 0; b < 256; ++b) fold[b] = static_cast<unsigned char>(b);
  for (int c = 'A'; c <= 'Z'; ++c) fold[c] = static_cast<unsigned char>(c + 0x20);
  for (const auto& pair : kAccentedCapitals) fold[pair[0]] = pair[1];
  return fold;
}

constexpr auto kFold = make_fold();

}  // namespace

void tolow_c(char* text) {
  for (; *text != '\0'; ++text) *text = static_cast<char>(kFold[static_cast<unsigned char>(*text)]);
}
