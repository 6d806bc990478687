// The data files where Windows differs: bytes kept exactly (no carriage return added or
// dropped), a file closed by its reader replaced in one step, lengths and cutting back.
#include <chrono>
#include <filesystem>
#include <string>

#include "../store/store_folder.h"
#include "data_files.h"
#include "file_io.h"

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
}

TEST_F(FileLayerTest, AFileHeldOpenIsStillReplacedAndReadsOnAsItWas) {
  // What a replace's snapshot does: the old file stays open while a rewrite replaces it.
  // An editor's backup beside it is the user's: whatever is set aside, it is not touched.
  dir.write("citas.txt", "old store");
  dir.write("citas.txt~", "mine");
  FileIn held("citas.txt");
  ASSERT_TRUE(held.ok());
  EXPECT_EQ(held.get(), 'o');
  {
    Rewrite rewrite("citas.txt", "tempy.txt");
    rewrite.out().put("new store");
    EXPECT_TRUE(rewrite.commit());
  }
  EXPECT_EQ(dir.read("citas.txt"), "new store");
  std::string rest;
  for (int c = held.get(); c >= 0; c = held.get()) rest += static_cast<char>(c);
  EXPECT_EQ(rest, "ld store");
  char byte = 0;
  EXPECT_EQ(read_at(held.fd(), &byte, 1, 4), 1);
  EXPECT_EQ(byte, 's');
  held.close();
  EXPECT_EQ(dir.listing(), "citas.txt citas.txt~");  // nothing left aside once the reader has gone
  EXPECT_EQ(dir.read("citas.txt~"), "mine");
}

TEST_F(FileLayerTest, AStoreLeftSetAsideAloneIsPutBackTheNewestFirst) {
  // A run cut off between a rewrite's two renames on Windows leaves the old store set
  // aside and no store; elsewhere a rename never sets one aside, and such names are not ours.
  dir.write("citas.txt.talvo-1", "newer");
  dir.write("citas.txt.talvo-2", "older");
  const auto now = std::filesystem::file_time_type::clock::now();
  std::filesystem::last_write_time("citas.txt.talvo-1", now);
  std::filesystem::last_write_time("citas.txt.talvo-2", now - std::chrono::hours(1));
  put_back_set_aside_store("citas.txt");
#ifdef _WIN32
  EXPECT_EQ(dir.read("citas.txt"), "newer");
  EXPECT_EQ(dir.listing(), "citas.txt citas.txt.talvo-2");
  put_back_set_aside_store("citas.txt");  // a store in place: nothing more is put back
  EXPECT_EQ(dir.read("citas.txt"), "newer");
#else
  EXPECT_EQ(dir.listing(), "citas.txt.talvo-1 citas.txt.talvo-2");
#endif
}

TEST_F(FileLayerTest, SizesReadsAtAnOffsetAndCuttingBack) {
  dir.write("citas.txt", kAwkward);
  FileIn in("citas.txt");
  ASSERT_TRUE(in.ok());
  EXPECT_EQ(file_size(in.fd()), static_cast<long long>(kAwkward.size()));
  EXPECT_EQ(in.get(), 'a');
  char bytes[8] = {};
  EXPECT_EQ(read_at(in.fd(), bytes, 4, 5), 4);
  EXPECT_EQ(std::string(bytes, 4), kAwkward.substr(5, 4));
  EXPECT_EQ(read_at(in.fd(), bytes, 8, static_cast<long long>(kAwkward.size())), 0);
  EXPECT_EQ(in.get(), '\r');  // the reads at an offset left the reader where it was
  EXPECT_EQ(in.offset(), 2);
  for (std::size_t keep : {kAwkward.size(), std::size_t{5}, std::size_t{3}, std::size_t{0}}) {
    FileOut out("citas.txt", FileOut::Mode::kInPlace);
    EXPECT_TRUE(out.cut_back(static_cast<long long>(keep))) << keep;
    EXPECT_TRUE(out.close());
    EXPECT_EQ(dir.read("citas.txt"), kAwkward.substr(0, keep));
  }
}

TEST_F(FileLayerTest, ADirectoryInAFilesPlaceReadsAsAFailureAndIsNeverCopied) {
  ASSERT_TRUE(std::filesystem::create_directory("citas.txt"));
  FileIn store("citas.txt");
  EXPECT_EQ(store.get(), -1);
  EXPECT_TRUE(store.failed());  // not the end of an empty file
  FileIn again("citas.txt");
  {
    Rewrite copy("copy.dat", "tempcopy.tmp");
    EXPECT_FALSE(copy_into(again, copy, -1));
  }
  EXPECT_EQ(dir.listing(), "citas.txt");  // no empty copy, no scratch file
}

}  // namespace
}  // namespace store_test
