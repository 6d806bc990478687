// Creation of data files on first need: the store gets its header line, nothing else does.
#include <vector>

#include "data_files.h"
#include "store_folder.h"

namespace store_test {
namespace {

class DataFilesTest : public StoreFolderTest {};

TEST_F(DataFilesTest, CreateFileWritesTheHeaderForTheStoreOnlyAndNeverEmptiesAFile) {
  create_file("citas.txt");
  EXPECT_EQ(dir.read("citas.txt"), kHeader);
  EXPECT_EQ(kHeader.size(), 16u);
  std::vector<const char*> names = {"added.dat", "deleted.dat", "copy.dat", "citas.txt.old"};
#ifndef _WIN32
  names.push_back("CITAS.TXT");  // on Windows, whose names ignore letter case, the store itself
#endif
  for (const char* name : names) {
    create_file(name);
    EXPECT_EQ(dir.read(name), "") << name;
  }
  // A file is created only where none of that name exists: an existing one keeps its bytes.
  dir.write("citas.txt", kHeader + "\n\"Um.\"\nA\n");
  dir.write("added.dat", "\n\"Um.\"\nA\n");
  create_file("citas.txt");
  create_file("added.dat");
  EXPECT_EQ(dir.read("citas.txt"), kHeader + "\n\"Um.\"\nA\n");
  EXPECT_EQ(dir.read("added.dat"), "\n\"Um.\"\nA\n");
}

TEST_F(DataFilesTest, FileExistsCreatesOnlyWhatIsMissing) {
  file_exists("citas.txt");
  file_exists("deleted.dat");
  EXPECT_EQ(dir.read("citas.txt"), kHeader);
  EXPECT_EQ(dir.read("deleted.dat"), "");
  const std::string store = "cabe\xE7" "alho\n\"Um.\"\nA\n", journal = "\n\"Dois.\"\nB\n";
  dir.write("citas.txt", store);
  dir.write("added.dat", journal);
  dir.write("tempcopy.dat", "");
  for (const char* name : {"citas.txt", "added.dat", "tempcopy.dat"}) file_exists(name);
  EXPECT_EQ(dir.read("citas.txt"), store);
  EXPECT_EQ(dir.read("added.dat"), journal);
  EXPECT_EQ(dir.read("tempcopy.dat"), "");
  EXPECT_EQ(dir.listing(), "added.dat citas.txt deleted.dat tempcopy.dat");
}

}  // namespace
}  // namespace store_test
