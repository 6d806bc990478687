// The verbs' character set from the locale variables, on Linux and on Windows alike.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "unicode.h"

namespace talvo_test {
namespace {

/// Sets a variable for this process; an empty value stands for an unset one.
void set_variable(const char* name, const std::string& value) {
#ifdef _WIN32
  _putenv_s(name, value.c_str());  // "" removes it
#else
  if (value.empty()) unsetenv(name);
  else setenv(name, value.c_str(), 1);
#endif
}

TEST(VerbCharsetTest, TheFirstLocaleVariableSetNamesTheCharset) {
  struct Case {
    const char* what;
    std::string lc_all, lc_ctype, lang;
    Charset charset;
  };
  const Case cases[] = {
      {"LC_ALL names UTF-8", "C.UTF-8", "", "", Charset::kUtf8},
      {"LC_ALL names it in another spelling", "C.utf8", "", "", Charset::kUtf8},
      {"LC_ALL is C", "C", "", "", Charset::kCp850},
      {"LC_ALL wins over LANG", "C", "", "C.UTF-8", Charset::kCp850},
      {"LC_CTYPE when LC_ALL is unset", "", "C.UTF-8", "C", Charset::kUtf8},
      {"LANG when the others are unset", "", "", "C.UTF-8", Charset::kUtf8},
      {"LANG is POSIX", "", "", "POSIX", Charset::kCp850},
  };
  for (const Case& c : cases) {
    set_variable("LC_ALL", c.lc_all);
    set_variable("LC_CTYPE", c.lc_ctype);
    set_variable("LANG", c.lang);
    EXPECT_EQ(unicode::locale_charset(), c.charset) << c.what;
  }
  set_variable("LC_ALL", "C");
}

}  // namespace
}  // namespace talvo_test
