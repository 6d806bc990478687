// Translation between the file code page (ISO-8859-1) and the console code page (850).
#include <gtest/gtest.h>

#include <map>

#include "byte_text.h"
#include "encoding.h"
#include "letter_tables.h"

namespace {

using encoding_test::at;
using encoding_test::bytes;
using encoding_test::every_byte;

/// File bytes that come back changed from file -> console -> file, and what they come
/// back as (control characters and signs come back as accented letters).
const std::map<int, int> kFileRoundTripChanges = {
    {0x80, 0xC7}, {0x82, 0xE9}, {0x83, 0xE2}, {0x85, 0xE0}, {0x87, 0xE7}, {0x88, 0xEA},
    {0x8A, 0xE8}, {0x8C, 0xEE}, {0x8D, 0xEC}, {0x90, 0xC9}, {0x93, 0xF4}, {0x95, 0xF2},
    {0x96, 0xFB}, {0x97, 0xF9}, {0xA0, 0xE1}, {0xA1, 0xED}, {0xA2, 0xF3}, {0xA3, 0xFA},
    {0xB5, 0xC1}, {0xB6, 0xC2}, {0xB7, 0xC0}, {0xC6, 0xE3}, {0xD6, 0xCD}, {0xD7, 0xCE},
    {0xDE, 0xCC}, {0xE4, 0xF5}, {0xE5, 0xD5}, {0xEB, 0xD9}};

/// Console bytes that come back changed from console -> file -> console, and as what.
const std::map<int, int> kConsoleRoundTripChanges = {
    {0xC0, 0xB7}, {0xC1, 0xB5}, {0xC2, 0xB6}, {0xC3, 0xC7}, {0xC8, 0xD4}, {0xC9, 0x90},
    {0xCA, 0xD2}, {0xCC, 0xDE}, {0xCD, 0xD6}, {0xCE, 0xD7}, {0xD3, 0xE0}, {0xD5, 0xE5},
    {0xD9, 0xEB}, {0xDA, 0xE9}, {0xDB, 0xEA}, {0xE1, 0xA0}, {0xE7, 0x87}, {0xE8, 0x8A},
    {0xEC, 0x8D}, {0xED, 0xA1}, {0xEE, 0x8C}, {0xF2, 0x95}, {0xF3, 0xA2}, {0xF4, 0x93},
    {0xF5, 0xE4}, {0xF9, 0x97}, {0xFA, 0xA3}, {0xFB, 0x96}};

/// Translates the whole buffer of `text` (an embedded NUL stops the translation).
std::string f2c(std::string text, int limit = 2000) {
  transl_f2c(text.data(), limit);
  return text;
}
std::string c2f(std::string text, int limit = 2000) {
  transl_c2f(text.data(), limit);
  return text;
}

/// What `table` makes of `byte`: its value, or the byte itself when it is no key.
int mapped(const std::map<int, int>& table, int byte) {
  auto it = table.find(byte);
  return it == table.end() ? byte : it->second;
}

TEST(Translation, EveryByteFollowsTheTablesAndIsLookedUpOnce) {
  // Translating all 255 bytes in one call: a byte the table wrote is never looked up again.
  std::string to_console = f2c(every_byte()), to_file = c2f(every_byte());
  for (int b = 1; b < 256; ++b) {
    EXPECT_EQ(at(to_console, b - 1), encoding_test::mapped(encoding_test::kFileToConsole, b))
        << "file byte " << b;
    EXPECT_EQ(at(to_file, b - 1), encoding_test::mapped(encoding_test::kConsoleToFile, b))
        << "console byte " << b;
  }
  std::string ascii = every_byte().substr(0, 0x7F);
  EXPECT_EQ(f2c(ascii), ascii);
  EXPECT_EQ(c2f(ascii), ascii);
  // Citações, both ways.
  EXPECT_EQ(f2c(bytes({0x43, 0x69, 0x74, 0x61, 0xE7, 0xF5, 0x65, 0x73})),
            bytes({0x43, 0x69, 0x74, 0x61, 0x87, 0xE4, 0x65, 0x73}));
  EXPECT_EQ(c2f(bytes({0x43, 0x69, 0x74, 0x61, 0x87, 0xE4, 0x65, 0x73})),
            bytes({0x43, 0x69, 0x74, 0x61, 0xE7, 0xF5, 0x65, 0x73}));
}

TEST(Translation, StopsAtTheLimitAndAtTheFirstNul) {
  EXPECT_EQ(f2c(bytes({0xC0, 0xC0, 0xC0, 0xC0, 0}), 3), bytes({0xB7, 0xB7, 0xB7, 0xC0, 0}));
  EXPECT_EQ(c2f(bytes({0x80, 0x80, 0x80, 0x80, 0}), 3), bytes({0xC7, 0xC7, 0xC7, 0x80, 0}));
  for (int limit : {0, -1, -2000}) {
    EXPECT_EQ(f2c(bytes({0xC0, 0xE7}), limit), bytes({0xC0, 0xE7})) << limit;
    EXPECT_EQ(c2f(bytes({0x80, 0x87}), limit), bytes({0x80, 0x87})) << limit;
  }
  EXPECT_EQ(f2c(bytes({0xC0, 0, 0xC0, 0xE7})), bytes({0xB7, 0, 0xC0, 0xE7}));
  EXPECT_EQ(c2f(bytes({0x80, 0, 0x80, 0x87})), bytes({0xC7, 0, 0x80, 0x87}));
  EXPECT_EQ(f2c(bytes({0, 0xC0})), bytes({0, 0xC0}));
}

TEST(Translation, RoundTripsChangeExactly28BytesEachWay) {
  std::string file_trip = c2f(f2c(every_byte())), console_trip = f2c(c2f(every_byte()));
  int file_changed = 0, console_changed = 0;
  for (int b = 1; b < 256; ++b) {
    EXPECT_EQ(at(file_trip, b - 1), mapped(kFileRoundTripChanges, b)) << "file byte " << b;
    EXPECT_EQ(at(console_trip, b - 1), mapped(kConsoleRoundTripChanges, b)) << "console byte " << b;
    file_changed += at(file_trip, b - 1) != b;
    console_changed += at(console_trip, b - 1) != b;
  }
  EXPECT_EQ(file_changed, 28);
  EXPECT_EQ(console_changed, 28);
  // Ã and Ç typed on the console are stored as their Latin-1 bytes and shown back.
  EXPECT_EQ(c2f(bytes({0xC7, 0x80})), bytes({0xC3, 0xC7}));
  EXPECT_EQ(f2c(bytes({0xC3, 0xC7})), bytes({0xC7, 0x80}));
  // ß typed (0xE1) is stored as á and shown as á; box-drawing 0xC3 is stored and shown as Ã.
  EXPECT_EQ(f2c(c2f(bytes({0xE1, 0xC3}))), bytes({0xA0, 0xC7}));
}

TEST(Translation, CharactersOutsideTheTablesAndTranslatingTwice) {
  // File È becomes console È, and on a second pass console Ô.
  EXPECT_EQ(f2c(bytes({0xC8})), bytes({0xD4}));
  EXPECT_EQ(f2c(f2c(bytes({0xC8}))), bytes({0xE2}));
  // « and » pass both ways unchanged.
  EXPECT_EQ(f2c(bytes({0xAB, 0xBB})), bytes({0xAB, 0xBB}));
  EXPECT_EQ(c2f(bytes({0xAB, 0xBB})), bytes({0xAB, 0xBB}));
  // The console's own « » ª º are stored as ® ¯ ¦ §, and each of those ends a quotation.
  std::string stored = c2f(bytes({0xAE, 0xAF, 0xA6, 0xA7}));
  EXPECT_EQ(stored, bytes({0xAE, 0xAF, 0xA6, 0xA7}));
  for (char c : stored) EXPECT_FALSE(admitted_in_quote(static_cast<unsigned char>(c)));
  // A quotation as the reader returns it always survives the round trip.
  for (int b = 1; b < 256; ++b) {
    if (!admitted_in_quote(static_cast<unsigned char>(b))) continue;
    EXPECT_EQ(c2f(f2c(bytes({b}))), bytes({b})) << "admitted byte " << b;
  }
}

}  // namespace
