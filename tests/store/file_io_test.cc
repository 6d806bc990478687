// Buffered data files: reading with push-back, writing, and the rewrite that replaces a file.
#include <filesystem>
#include <string>

#include "file_io.h"
#include "store_folder.h"

namespace store_test {
namespace {

class FileIoTest : public StoreFolderTest {
 protected:
  /// A text of `size` bytes running through every byte value.
  static std::string every_value(std::size_t size) {
    std::string text(size, '\0');
    for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char>((i * 7 + i / 256) % 256);
    return text;
  }
};

TEST_F(FileIoTest, FileInReadsEveryByteAndPushesBackAcrossItsBuffer) {
  const std::string text = every_value(150000);  // more than two buffers
  dir.write("big.dat", text);
  FileIn in(path("big.dat").c_str());
  ASSERT_TRUE(in.ok());
  std::string got;
  for (int c = in.get(); c >= 0; c = in.get()) {
    in.unget(c);
    ASSERT_EQ(in.get(), c) << "after byte " << got.size();
    got += static_cast<char>(c);
  }
  EXPECT_EQ(got, text);
  EXPECT_EQ(in.get(), -1);
  EXPECT_FALSE(FileIn(path("missing.dat").c_str()).ok());
  EXPECT_FALSE(FileIn(path("missing.dat").c_str(), FileIn::Mode::kUpdate).ok());
}

TEST_F(FileIoTest, FileOutTruncatesOrAppendsAndReportsFailedWrites) {
  dir.write("out.dat", "old contents");
  {
    FileOut out("out.dat", FileOut::Mode::kTruncate);
    ASSERT_TRUE(out.ok());
    out.put("-");
    out.put_entry("\"Um.\"", "A");
    EXPECT_TRUE(out.sync());
  }
  EXPECT_EQ(dir.read("out.dat"), "-\n\"Um.\"\nA\n");
  const std::string big = every_value(100000);
  {
    FileOut out("out.dat", FileOut::Mode::kAppend);
    out.write(big.data(), big.size());
    EXPECT_TRUE(out.close());
  }
  EXPECT_EQ(dir.read("out.dat"), "-\n\"Um.\"\nA\n" + big);
#ifndef _WIN32  // Windows has no device on which every write fails
  FileOut full("/dev/full", FileOut::Mode::kAppend);  // every write fails: no space
  ASSERT_TRUE(full.ok());
  full.put("x");
  EXPECT_FALSE(full.sync());
#endif
  EXPECT_FALSE(FileOut("no/such/dir.dat", FileOut::Mode::kTruncate).ok());
}

TEST_F(FileIoTest, RewriteReplacesTheTargetOnlyWhenCommitted) {
  dir.write("added.dat", "old");
  {
    Rewrite rewrite("added.dat", "temph.txt");
    ASSERT_TRUE(rewrite.ok());
    rewrite.out().put("new");
    EXPECT_TRUE(rewrite.commit());
  }
  EXPECT_EQ(dir.read("added.dat"), "new");
  {
    Rewrite rewrite("added.dat", "temph.txt");
    rewrite.out().put("abandoned");
    EXPECT_TRUE(dir.exists("temph.txt"));
  }
  EXPECT_EQ(dir.read("added.dat"), "new");
  EXPECT_EQ(dir.listing(), "added.dat");
  {
    Rewrite rewrite("missing.dat", "temph.txt");  // a target that is not there yet
    rewrite.out().put("first");
    EXPECT_TRUE(rewrite.commit());
  }
  EXPECT_EQ(dir.read("missing.dat"), "first");
  EXPECT_EQ(dir.listing(), "added.dat missing.dat");
}

TEST_F(FileIoTest, AFailedCommitLeavesTheTargetAndNoScratchFile) {
  ASSERT_TRUE(std::filesystem::create_directory("citas.txt"));  // a rename cannot put a file over a directory
  dir.write("citas.txt/inside", "kept");
  {
    Rewrite rewrite("citas.txt", "tempy.txt");
    rewrite.out().put("new");
    EXPECT_FALSE(rewrite.commit());
  }
  EXPECT_EQ(dir.read("citas.txt/inside"), "kept");
  EXPECT_EQ(dir.listing(), "citas.txt");
}

}  // namespace
}  // namespace store_test
