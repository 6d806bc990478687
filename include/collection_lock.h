// One run per collection: the exclusive lock on the collection's directory.
#pragma once

#include "cp850.h"

/// The lock on the current directory, taken when made and held as long as the object
/// (for an interactive run, the whole run). It is the kernel's lock on the directory
/// itself: no lock file is made, and however the process ends (kill -9, a power cut) the
/// lock goes with it, so no stale lock can block the next run. When the store is a
/// symbolic link into another directory, that directory's lock is taken too.
class CollectionLock {
 public:
  CollectionLock();
  ~CollectionLock();
  CollectionLock(const CollectionLock&) = delete;
  CollectionLock& operator=(const CollectionLock&) = delete;

  /// Whether another run holds the lock. Where the directory cannot be opened or its
  /// file system keeps no locks, the run goes on unlocked: that is not a refusal.
  bool refused() const { return refused_; }

 private:
  int fd_ = -1;
  int linked_fd_ = -1;  // the directory the store's link leads into, when another
  bool refused_ = false;
};

/// What is said when another run holds the lock (code page 850).
inline constexpr const char* kCollectionBusy =
    "Erro: A colecção de citações desta pasta já está aberta noutro talvo."_cp;

/// Prints that another run holds the collection's lock.
void say_collection_busy();
