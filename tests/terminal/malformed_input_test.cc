// The terminal decoder on broken and split UTF-8: one '?' per bad sequence, and no more.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decode_helper.h"

namespace talvo_test {
namespace {

TEST(MalformedInput, EachBadSequenceGivesOneQuestionMarkAndTheNextCharacterStillDecodes) {
  struct Case {
    const char* what;
    std::string utf8, cp850;
  };
  const std::vector<Case> cases = {
      {"lone continuation byte", "\x80" "A", "?A"},
      {"two stray continuation bytes", "\xA7\xBF" "\xC3\xA7", "??\x87"},
      {"two-byte start cut short by ASCII", "\xC3" "A", "?A"},
      {"three-byte start cut short by ASCII", "\xE2\x82" "A", "?A"},
      {"four-byte start cut short by a new start", "\xF0\x9F\x98" "\xC3\xA7", "?\x87"},
      {"overlong slash in two bytes", "\xC0\xAF" "A", "?A"},
      {"overlong NUL in two bytes", "\xC1\x80" "b", "?b"},
      {"overlong slash in three bytes", "\xE0\x80\xAF" "\xC3\x89", "?\x90"},
      {"overlong in four bytes", "\xF0\x80\x80\xAF" "A", "?A"},
      {"high surrogate", "\xED\xA0\x80" "A", "?A"},
      {"low surrogate", "\xED\xBF\xBF" "A", "?A"},
      {"past U+10FFFF", "\xF4\x90\x80\x80" "A", "?A"},
      {"F5 lead", "\xF5\x80\x80\x80" "A", "?A"},
      {"F8 to FF", "\xF8\xFB\xFE\xFF" "A", "????A"},
      {"F8 begins nothing", "\xF8\x88\x80\x80\x80" "A", "?????A"},
      {"cut short at the end of input", "A\xE2\x82", "A?"},
      {"the largest good ones", "\xEF\xBF\xBF\xF4\x8F\xBF\xBF" "A", "??A"},
  };
  for (const Case& c : cases) EXPECT_EQ(decode(c.utf8), c.cp850) << c.what;
}

TEST(MalformedInput, ACharacterSplitBetweenReadsIsJoinedUp) {
  const std::string typed = "A\xC3\xA7\xE2\x82\xAC\xF0\x9F\x98\x80\xC3\x89\n";  // Aç€😀É
  const std::string expected = "A\x87??\x90\n";
  for (std::size_t cut = 0; cut <= typed.size(); ++cut)
    EXPECT_EQ(decode_reads({typed.substr(0, cut), typed.substr(cut)}), expected) << cut;
  std::vector<std::string> byte_by_byte;
  for (char c : typed) byte_by_byte.emplace_back(1, c);
  EXPECT_EQ(decode_reads(byte_by_byte), expected);
  // A start left over from one read and broken off by the next: that read gives one
  // byte more than it holds.
  EXPECT_EQ(decode_reads({"\xE2\x82", "A", "\xC3", "\xC3\xA7"}), "?A?\x87");
}

}  // namespace
}  // namespace talvo_test
