// Test support: the bytes of a store in each layout it can have (grown by adding, or left by
// earlier versions' rewrites and copies, which set their own layout).
#pragma once

#include <string>
#include <vector>

#include "session.h"

namespace talvo_test {

/// One entry: quotation (double quotes included) and author, in whichever code page
/// the caller needs (file bytes for stores, console bytes for screens).
struct Entry {
  std::string quote, author;
};

/// The entries as a store, after the header and whatever follows it, with `before`,
/// `between` and `after` around each quotation and author.
inline std::string layout(const std::vector<Entry>& entries, const std::string& after_header,
                          const char* before, const char* between, const char* after) {
  std::string bytes = kHeader + after_header;
  for (const Entry& e : entries) bytes += before + e.quote + between + e.author + after;
  return bytes;
}

/// A store grown by adding: the header, then "\n" quotation "\n" author "\n" per entry.
inline std::string added_layout(const std::vector<Entry>& entries) {
  return layout(entries, "", "\n", "\n", "\n");
}

/// A store as earlier versions rewrote it for a deletion: the header and a newline, then
/// the entries as above.
inline std::string rewritten_layout(const std::vector<Entry>& entries) {
  return layout(entries, "\n", "\n", "\n", "\n");
}

/// A safety or backup copy as earlier versions wrote it: the header, then "\n\n" quotation
/// "\n" author per entry, no final newline.
inline std::string copy_layout(const std::vector<Entry>& entries) {
  return layout(entries, "", "\n\n", "\n", "");
}

}  // namespace talvo_test
