// The fixture of the store unit tests: a scratch directory, entered while a test runs.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "session.h"

namespace store_test {

/// The 16 bytes of the store header line, "-== Citações ==-" in ISO-8859-1.
using talvo_test::kHeader;

/// A test with its own scratch directory as the current directory; the directory the
/// test started in is restored afterwards.
class StoreFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = std::filesystem::current_path();
    std::filesystem::current_path(dir.data());
  }
  void TearDown() override { std::filesystem::current_path(home_); }

  /// The full path of a file in the scratch directory.
  std::string path(const std::string& name) const { return dir.data() + "/" + name; }

  talvo_test::ScratchDir dir;

 private:
  std::filesystem::path home_;
};

}  // namespace store_test
