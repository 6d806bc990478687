// The data files where Windows differs: bytes kept exactly (no carriage return added or
// dropped), a file closed by its reader replaced in one step, lengths and cutting back.
#include <filesystem>
#include <string>

#include "file_io.h"
#include "../store/store_folder.h"

namespace store_test {
namespace {

using FileLayerTest = StoreFolderTest;

/// Line ends of every kind, Ctrl-Z and NUL: what a text mode would change.
const std::string kAwkward = std::string("a\r\nb\nc\r\x1A" "d\n\r\n\0e\x1A", 13);

TEST_F(FileLayerTest, EveryByteIsWrittenAppendedAndReadAsItIs) {
  {
    FileOut out("citas.txt", FileOut::Mode::kTruncate);
    out.write(kAwkward.data(), kAwkward.size());
    EXPECT_TRUE(out.sync());
  }
  {
    FileOut out("citas.txt", FileOut::Mode::kAppend);
    out.write(kAwkward.data(), kAwkward.size());
    EXPECT_TRUE(out.close());
  }
  EXPECT_EQ(dir.read("citas.txt"), kAwkward + kAwkward);
  FileIn in("citas.txt");
  std::string got;
  for (int c = in.get(); c >= 0; c = in.get()) got += static_cast<char>(c);
  EXPECT_EQ(got, kAwkward + kAwkward);
}

TEST_F(FileLayerTest, AReaderClosedBeforeTheCommitLetsTheRewriteReplaceItsFile) {
  dir.write("citas.txt", "old store");
  FileIn store("citas.txt", FileIn::Mode::kUpdate);
  ASSERT_TRUE(store.ok());
  EXPECT_EQ(store.get(), 'o');
  Rewrite rewrite("citas.txt", "tempy.txt");
  ASSERT_TRUE(rewrite.ok());
  rewrite.out().put("new store");
  store.close();
  EXPECT_FALSE(store.ok());
  EXPECT_EQ(store.get(), -1);  // a closed reader is at its end
  EXPECT_TRUE(rewrite.commit());
  EXPECT_EQ(dir.read("citas.txt"), "new store");
  EXPECT_EQ(dir.listing(), "citas.txt");
  // Replacing over an existing file again, straight through the file layer.
  dir.write("a.dat", "A");
  EXPECT_TRUE(replace_file("a.dat", "citas.txt"));
  EXPECT_EQ(dir.read("citas.txt"), "A");
  EXPECT_EQ(dir.listing(), "citas.txt");
}

TEST_F(FileLayerTest, LengthsAndCuttingBack) {
  EXPECT_EQ(file_length("missing.dat"), -1);
  EXPECT_FALSE(cut_file("missing.dat", 0));
  EXPECT_FALSE(dir.exists("missing.dat"));  // cutting back never creates a file
  dir.write("citas.txt", kAwkward);
  EXPECT_EQ(file_length("citas.txt"), static_cast<long long>(kAwkward.size()));
  for (std::size_t keep : {kAwkward.size(), std::size_t{5}, std::size_t{3}, std::size_t{0}}) {
    EXPECT_TRUE(cut_file("citas.txt", static_cast<long long>(keep))) << keep;
    EXPECT_EQ(dir.read("citas.txt"), kAwkward.substr(0, keep));
    EXPECT_EQ(file_length("citas.txt"), static_cast<long long>(keep));
  }
}

}  // namespace
}  // namespace store_test
