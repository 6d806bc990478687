// The lock on a collection's directory: one holder at a time, free again once it goes.
#include <filesystem>
#include <memory>

#include "../store/store_folder.h"
#include "collection_lock.h"

namespace store_test {
namespace {

using CollectionLockTest = StoreFolderTest;

TEST_F(CollectionLockTest, ASecondLockIsRefusedUntilTheFirstGoes) {
  auto first = std::make_unique<CollectionLock>();
  EXPECT_FALSE(first->refused());
  {
    CollectionLock second;
    EXPECT_TRUE(second.refused());
  }
  EXPECT_TRUE(CollectionLock().refused());  // a refused lock held nothing of its own
  first.reset();
  CollectionLock again;
  EXPECT_FALSE(again.refused());
}

TEST_F(CollectionLockTest, EachDirectoryHasALockOfItsOwn) {
  CollectionLock here;
  ASSERT_FALSE(here.refused());
  std::filesystem::create_directory("other");
  std::filesystem::current_path("other");
  CollectionLock there;
  EXPECT_FALSE(there.refused());
  std::filesystem::current_path("..");
  EXPECT_TRUE(CollectionLock().refused());
}

TEST_F(CollectionLockTest, TheFilesOfALockedDirectoryStayReadableAndWritable) {
  CollectionLock lock;
  ASSERT_FALSE(lock.refused());
  dir.write("citas.txt", "store");
  EXPECT_EQ(dir.read("citas.txt"), "store");
  EXPECT_EQ(dir.listing(), "citas.txt");
}

}  // namespace
}  // namespace store_test
