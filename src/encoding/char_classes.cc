// The byte classes that decide what may stand inside a stored quotation.
#include <array>

#include "accented_letters.h"
#include "encoding.h"

namespace {

constexpr unsigned char kSigns[9] = {'!', '\'', ',', '.', ':', ';', '?', 0xAB, 0xBB};
constexpr unsigned char kSymbols[6] = {'(', ')', '-', '/', '[', ']'};

enum Class : unsigned char { kNone, kLetter, kSign, kSymbol, kNumber, kAlsoAdmitted };

/// The class of every byte; tab, newline and space are admitted in a quotation too.
constexpr std::array<unsigned char, 256> make_classes() {
  std::array<unsigned char, 256> classes{};
  for (int c = 'A'; c <= 'Z'; ++c) classes[c] = classes[c + 0x20] = kLetter;
  for (accented::Letter l : accented::kLetters) classes[l.file] = kLetter;
  for (unsigned char c : kSigns) classes[c] = kSign;
  for (unsigned char c : kSymbols) classes[c] = kSymbol;
  for (int c = '0'; c <= '9'; ++c) classes[c] = kNumber;
  classes['\t'] = classes['\n'] = classes[' '] = kAlsoAdmitted;
  return classes;
}

constexpr auto kClasses = make_classes();

int is(signed char c, Class wanted) {
  return kClasses[static_cast<unsigned char>(c)] == wanted ? 1 : 0;
}

}  // namespace

int letter(signed char c) { return is(c, kLetter); }
int sign(signed char c) { return is(c, kSign); }
int symbol(signed char c) { return is(c, kSymbol); }
int number(signed char c) { return is(c, kNumber); }

bool admitted_in_quote(unsigned char c) { return kClasses[c] != kNone; }
