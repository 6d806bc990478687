// Large quote stores.
#include "big_store.h"

namespace reliability {

std::vector<Entry> numbered_entries(int count, const std::string& tag) {
  std::vector<Entry> entries;
  entries.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    std::string n = std::to_string(i);
    entries.push_back({"\"Cita\xE7\xE3o n\xFAmero " + n + ", " + tag + ".\"", "Autor " + n});
  }
  return entries;
}

std::string search_for(int i) { return "mero " + std::to_string(i) + ","; }

std::vector<Entry> without(std::vector<Entry> entries, int i) {
  entries.erase(entries.begin() + i);
  return entries;
}

}  // namespace reliability
