// The table of entry keys: linear probing, doubled when 7/8 full.
#include "entry_keys.h"

void EntryKeys::place(const Slot& slot) {
  std::size_t i = slot.hash & mask();
  while (slots_[i].hash != 0) i = (i + 1) & mask();
  slots_[i] = slot;
}

void EntryKeys::add(std::uint64_t hash, std::uint64_t offset) {
  if ((used_ + 1) * 8 > slots_.size() * 7) {
    std::vector<Slot> old;
    old.swap(slots_);
    slots_.assign(old.empty() ? 1024 : old.size() * 2, Slot{});
    for (const Slot& slot : old)
      if (slot.hash != 0) place(slot);
  }
  place({stored_hash(hash), offset});
  ++used_;
}
