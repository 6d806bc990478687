// The backup stamp's date text: C's 24-character layout on every system, in local time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "local_date.h"

namespace talvo_test {
namespace {

/// Runs the test in UTC, so that the expected texts do not depend on the machine.
class LocalDateTest : public ::testing::Test {
 protected:
  void SetUp() override {
#ifdef _WIN32
    _putenv_s("TZ", "UTC");
    _tzset();
#else
    setenv("TZ", "UTC", 1);
    tzset();
#endif
  }
};

TEST_F(LocalDateTest, TwentyFourCharactersAndANewlineWithTheDayPaddedByABlank) {
  struct Case {
    std::time_t when;
    const char* text;
  };
  const Case cases[] = {
      {0, "Thu Jan  1 00:00:00 1970\n"},
      {941360707, "Sun Oct 31 09:05:07 1999\n"},
      {951868799, "Tue Feb 29 23:59:59 2000\n"},
      {1796673000, "Mon Dec  7 19:50:00 2026\n"},
  };
  for (const Case& c : cases) {
    char text[32];
    ASSERT_TRUE(local_date_text(c.when, text, sizeof text)) << c.when;
    EXPECT_EQ(std::string(text), c.text);
  }
}

TEST_F(LocalDateTest, RefusesABufferTooSmallAndAYearOfFiveDigits) {
  char text[32] = "unchanged";
  EXPECT_FALSE(local_date_text(0, text, 25));  // no room for the NUL
  EXPECT_STREQ(text, "unchanged");
  char exact[26];
  EXPECT_TRUE(local_date_text(0, exact, sizeof exact));
  EXPECT_FALSE(local_date_text(253402300800, text, sizeof text));  // 1 January 10000
}

}  // namespace
}  // namespace talvo_test
