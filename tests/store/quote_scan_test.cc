// The wide scan for the end of a quotation's admitted bytes, against the byte classes.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "encoding.h"
#include "quote_scan.h"

namespace {

/// The run as the classes define it, one byte at a time.
std::size_t expected_run(const std::vector<unsigned char>& bytes, std::size_t from) {
  std::size_t n = 0;
  while (from + n < bytes.size() && admitted_in_quote(bytes[from + n])) ++n;
  return n;
}

/// Both scans over bytes[from, size), checked against the classes.
void check_both(const std::vector<unsigned char>& bytes, std::size_t from) {
  const unsigned char* begin = bytes.data() + from;
  const unsigned char* end = bytes.data() + bytes.size();
  std::size_t want = expected_run(bytes, from);
  EXPECT_EQ(admitted_run(begin, end), want) << "from " << from << " of " << bytes.size();
  EXPECT_EQ(admitted_run_bytewise(begin, end), want) << "from " << from << " of " << bytes.size();
}

TEST(AdmittedRun, EveryByteValueAtEveryPlaceOfAWideBlock) {
  // A letter run of 70 bytes with one byte of each value at each of the first 70 places:
  // the wide scan sees it in its first, second and third block and in the tail.
  for (int value = 0; value < 256; ++value) {
    for (std::size_t at = 0; at < 70; ++at) {
      std::vector<unsigned char> bytes(70, 'a');
      bytes[at] = static_cast<unsigned char>(value);
      check_both(bytes, 0);
    }
  }
}

TEST(AdmittedRun, NamedBytesStopOrPass) {
  // The bytes that end a well-formed quotation, and a few that look alike but pass.
  const unsigned char stops[] = {'"', '%', '\r', '\0', 0xFF, 0xAA, 0xBA, 0xD1, 0xF1, 0xC4};
  for (unsigned char stop : stops) {
    std::vector<unsigned char> bytes(40, 'x');
    bytes[33] = stop;
    EXPECT_EQ(admitted_run(bytes.data(), bytes.data() + bytes.size()), 33u) << int(stop);
  }
  const unsigned char passes[] = {'\t', '\n', ' ', '\'', 0xAB, 0xBB, 0xC0, 0xFB, '[', ']'};
  for (unsigned char pass : passes) {
    std::vector<unsigned char> bytes(40, pass);
    EXPECT_EQ(admitted_run(bytes.data(), bytes.data() + bytes.size()), 40u) << int(pass);
  }
}

TEST(AdmittedRun, EmptyAndShortRanges) {
  std::vector<unsigned char> bytes = {'a', 'b', '"'};
  EXPECT_EQ(admitted_run(bytes.data(), bytes.data()), 0u);
  EXPECT_EQ(admitted_run_bytewise(bytes.data(), bytes.data()), 0u);
  for (std::size_t from = 0; from <= bytes.size(); ++from) check_both(bytes, from);
}

TEST(AdmittedRun, RandomTextAtEveryAlignment) {
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> any_byte(0, 255);
  std::uniform_int_distribution<int> letter('a', 'z');
  std::uniform_int_distribution<int> odds(0, 99);
  for (int round = 0; round < 400; ++round) {
    std::vector<unsigned char> bytes(static_cast<std::size_t>(odds(random) * 3));
    int rare = 1 + odds(random) % 30;  // how often, in a hundred, any byte at all
    for (auto& b : bytes)
      b = static_cast<unsigned char>(odds(random) < rare ? any_byte(random) : letter(random));
    for (std::size_t from = 0; from < bytes.size() && from < 40; ++from) check_both(bytes, from);
  }
}

}  // namespace
