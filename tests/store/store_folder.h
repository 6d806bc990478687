// The fixture of the store unit tests: a scratch directory, entered while a test runs.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "session.h"

namespace store_test {

/// The 16 bytes of the store header line, "-== Citações ==-" in ISO-8859-1.
using talvo_test::kHeader;

/// A test with its own scratch directory (made with mkdtemp) as the current directory;
/// the directory the test started in is restored afterwards.
class StoreFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(getcwd(home_, sizeof home_), nullptr);
    ASSERT_EQ(chdir(dir.data().c_str()), 0);
  }
  void TearDown() override { ASSERT_EQ(chdir(home_), 0); }

  /// The full path of a file in the scratch directory.
  std::string path(const std::string& name) const { return dir.data() + "/" + name; }

  talvo_test::ScratchDir dir;

 private:
  char home_[PATH_MAX] = {};
};

}  // namespace store_test
