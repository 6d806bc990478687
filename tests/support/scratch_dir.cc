// Test support: scratch directories, made and read through std::filesystem so that the
// unit tests of the data files build for Windows too.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>
#include <vector>

#include "session.h"

namespace talvo_test {
namespace fs = std::filesystem;

namespace {

/// A new directory of its own under the system's temporary directory.
fs::path make_root() {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (;;) {
    fs::path root = fs::temp_directory_path() / ("talvo-test-" + std::to_string(random() % 1000000000));
    if (fs::create_directory(root)) return root;  // false: the name was taken
  }
}

}  // namespace

ScratchDir::ScratchDir() {
  fs::path root = make_root();
  root_ = root.generic_string();
  data_ = root_ + "/data";
  bin_ = root_ + "/bin";
  fs::create_directory(data_);
  fs::create_directory(bin_);
  std::ofstream cls(bin_ + "/cls");
  cls << "#!/bin/sh\nprintf '[CLS]'\n";
  cls.close();
  fs::permissions(bin_ + "/cls", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                     fs::perms::others_read | fs::perms::others_exec);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;  // a leftover scratch directory is harmless
  fs::remove_all(root_, ignored);
}

std::optional<std::string> read_path(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void write_path(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

void ScratchDir::write(const std::string& name, const std::string& bytes) const {
  write_path(data_ + "/" + name, bytes);
}

std::optional<std::string> ScratchDir::read(const std::string& name) const {
  return read_path(data_ + "/" + name);
}

std::string ScratchDir::listing() const {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(data_, error)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  std::string joined;
  for (const auto& n : names) joined += (joined.empty() ? "" : " ") + n;
  return joined;
}

void reset(const ScratchDir& dir, const std::string* store) {
  for (const auto& e : fs::directory_iterator(dir.data())) fs::remove_all(e.path());
  if (store != nullptr) dir.write("citas.txt", *store);
}

}  // namespace talvo_test
