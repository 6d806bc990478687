// Large quote stores and their layouts.
#include "big_store.h"

#include "session.h"

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

namespace {

std::string layout(const std::vector<Entry>& entries, const std::string& after_header,
                   const char* before, const char* between, const char* after) {
  std::string bytes = talvo_test::kHeader + after_header;
  for (const auto& e : entries) bytes += before + e.quote + between + e.author + after;
  return bytes;
}

}  // namespace

std::string added_layout(const std::vector<Entry>& entries) {
  return layout(entries, "", "\n", "\n", "\n");
}

std::string rewritten_layout(const std::vector<Entry>& entries) {
  return layout(entries, "\n", "\n", "\n", "\n");
}

std::string copy_layout(const std::vector<Entry>& entries) {
  return layout(entries, "", "\n\n", "\n", "");
}

std::vector<Entry> without(std::vector<Entry> entries, int i) {
  entries.erase(entries.begin() + i);
  return entries;
}

}  // namespace reliability
