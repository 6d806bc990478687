// The entries a collection holds, known by a small key each: the hash of what makes two
// entries one, and where the entry stands, so that its bytes can be read and compared.
#pragma once

#include <cstdint>
#include <vector>

/// A set of (hash, offset) pairs, 16 bytes each, in an open-addressed table.
class EntryKeys {
 public:
  /// Whether an entry of key hash `hash` is held for which `same(offset)` says that it is
  /// the same entry; `same` is asked only about entries with that hash.
  template <class Same>
  bool contains(std::uint64_t hash, Same&& same) const {
    if (slots_.empty()) return false;
    hash = stored_hash(hash);
    for (std::size_t i = hash & mask(); slots_[i].hash != 0; i = (i + 1) & mask())
      if (slots_[i].hash == hash && same(slots_[i].offset)) return true;
    return false;
  }
  /// Adds the entry with key hash `hash` at `offset`.
  void add(std::uint64_t hash, std::uint64_t offset);

 private:
  struct Slot {
    std::uint64_t hash = 0;  // 0: an empty slot
    std::uint64_t offset = 0;
  };
  static std::uint64_t stored_hash(std::uint64_t hash) { return hash == 0 ? 1 : hash; }
  std::size_t mask() const { return slots_.size() - 1; }
  void place(const Slot& slot);

  std::vector<Slot> slots_;  // a power of two of them, at most 7/8 used
  std::size_t used_ = 0;
};
