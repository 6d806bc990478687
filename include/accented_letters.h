// The 36 accented letters, listed once, and the byte tables built from them at compile time.
#pragma once

#include <array>

#include "cp850.h"

namespace accented {

/// A byte-to-byte table over the 256 byte values.
using ByteTable = std::array<unsigned char, 256>;

/// The 18 accented capitals, as Unicode code points. Each one's small letter is the code
/// point 0x20 above it, as everywhere in Latin-1.
inline constexpr char32_t kCapitals[18] = {
    U'À', U'Á', U'Â', U'Ã', U'Ç', U'È', U'É', U'Ê', U'Ì',
    U'Í', U'Î', U'Ò', U'Ó', U'Ô', U'Õ', U'Ù', U'Ú', U'Û',
};

/// The plain letter of each of the 18 capitals, in the same order.
inline constexpr char kCapitalBases[18] = {
    'A', 'A', 'A', 'A', 'C', 'E', 'E', 'E', 'I', 'I', 'I', 'O', 'O', 'O', 'O', 'U', 'U', 'U',
};

/// The other accented letters of code page 850 that a search may see without accents,
/// with their plain letters.
struct OtherLetter {
  char32_t code;
  char base;
};
inline constexpr OtherLetter kOtherLetters[15] = {
    {U'ä', 'a'}, {U'ë', 'e'}, {U'ï', 'i'}, {U'ö', 'o'}, {U'ü', 'u'},
    {U'ÿ', 'y'}, {U'å', 'a'}, {U'ñ', 'n'}, {U'Ä', 'A'}, {U'Ë', 'E'},
    {U'Ï', 'I'}, {U'Ö', 'O'}, {U'Ü', 'U'}, {U'Å', 'A'}, {U'Ñ', 'N'},
};

/// The distance from a Latin-1 capital to its small letter.
inline constexpr char32_t kSmallOffset = 0x20;

/// One accented letter in the two code pages: its ISO-8859-1 byte (its code point) and its
/// code page 850 byte.
struct Letter {
  unsigned char file;
  unsigned char console;
};

/// The letter of a code point that both code pages hold; any other fails the build.
consteval Letter letter_of(char32_t code) {
  if (code > 0xFF) throw "accented letter outside ISO-8859-1";
  int console = cp850::from_unicode(code);
  if (console < 0) throw "accented letter missing from code page 850";
  return {static_cast<unsigned char>(code), static_cast<unsigned char>(console)};
}

/// The 36 letters: the 18 capitals, then their 18 small letters in the same order.
consteval std::array<Letter, 36> make_letters() {
  std::array<Letter, 36> letters{};
  for (int i = 0; i < 18; ++i) {
    letters[i] = letter_of(kCapitals[i]);
    letters[18 + i] = letter_of(kCapitals[i] + kSmallOffset);
  }
  return letters;
}

/// The 36 accented letters as (file byte, console byte).
inline constexpr std::array<Letter, 36> kLetters = make_letters();

/// The table that leaves every byte as it is.
consteval ByteTable identity() {
  ByteTable table{};
  for (int b = 0; b < 256; ++b) table[b] = static_cast<unsigned char>(b);
  return table;
}

/// File code page to console code page: each letter's file byte to its console byte.
consteval ByteTable make_file_to_console() {
  ByteTable table = identity();
  for (Letter l : kLetters) table[l.file] = l.console;
  return table;
}

/// Console code page to file code page: each letter's console byte to its file byte.
consteval ByteTable make_console_to_file() {
  ByteTable table = identity();
  for (Letter l : kLetters) table[l.console] = l.file;
  return table;
}

/// Console lower-casing: A-Z and the 18 accented capitals (console bytes) to their small
/// letters; every other byte unchanged.
consteval ByteTable make_console_fold() {
  ByteTable table = identity();
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<unsigned char>(c + kSmallOffset);
  for (int i = 0; i < 18; ++i) table[kLetters[i].console] = kLetters[18 + i].console;
  return table;
}

/// Console accents taken off: each accented letter above (console bytes) to its plain
/// letter of the same case; every other byte unchanged.
consteval ByteTable make_console_unaccent() {
  ByteTable table = identity();
  for (int i = 0; i < 18; ++i) {
    table[kLetters[i].console] = static_cast<unsigned char>(kCapitalBases[i]);
    table[kLetters[18 + i].console] = static_cast<unsigned char>(kCapitalBases[i] + kSmallOffset);
  }
  for (OtherLetter l : kOtherLetters) {
    int console = cp850::from_unicode(l.code);
    if (console < 0) throw "accented letter missing from code page 850";
    table[console] = static_cast<unsigned char>(l.base);
  }
  return table;
}

/// The translation of file text to console text, byte by byte.
inline constexpr ByteTable kFileToConsole = make_file_to_console();
/// The translation of console text to file text, byte by byte.
inline constexpr ByteTable kConsoleToFile = make_console_to_file();
/// The small letter of each console capital that is folded; the byte itself otherwise.
inline constexpr ByteTable kConsoleFold = make_console_fold();
/// The plain letter of each accented console letter; the byte itself otherwise.
inline constexpr ByteTable kConsoleUnaccent = make_console_unaccent();

}  // namespace accented
