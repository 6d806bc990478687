// New entries added to the store by the one rewrite: the old store's bytes and then the
// new entries go into a scratch file that is renamed over the store, so the store is at
// every moment the old one or the new one. Entries the store already holds are known.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "entry_keys.h"
#include "file_io.h"
#include "incoming_entry.h"

/// The store, read for its entries, and the new store being written.
class StoreAdditions {
 public:
  /// What reading the store found.
  enum class Opened {
    kReady,      ///< its entries are known (or there is no store yet)
    kNotOpened,  ///< a name stands there that cannot be opened (a dangling link, say)
    kFailed,     ///< it could not be read whole
    kCutShort,   ///< its last entry is cut short: cut_line() tells where it begins
  };
  /// Reads the store's entries.
  Opened open();
  /// The line where the store's last, cut short, entry begins.
  int cut_line() const { return cut_line_; }

  /// Adds the entry unless the store, or an addition before it, already holds it; false
  /// when it does. A failure to write is told by ready().
  bool add(const StoredForm& entry);
  /// Puts the new store on disk (not yet in place); false when it cannot be written or
  /// an entry held could not be read back.
  bool ready();
  /// Puts the new store in place of the old; false, with the old store in place, when it
  /// cannot.
  bool commit();

 private:
  /// Whether the entry at `offset` (of the store, or of the new store past the old
  /// store's bytes) has the key `key`.
  bool same(std::uint64_t offset, const std::string& key);
  /// Starts the new store with the old store's bytes.
  void start();

  std::optional<FileIn> store_;  // the store as it was, for its entries' bytes
  long long store_size_ = 0;
  int cut_line_ = 0;
  EntryKeys keys_;
  std::optional<Rewrite> rewrite_;
  std::optional<FileIn> written_;  // the new store read back
  long long size_ = 0;             // the new store's bytes so far
  bool read_failed_ = false;
  std::string key_, other_;
};
