// Fuzz target: the readers of importar's input formats on arbitrary bytes. The first byte
// picks the format, the second the character set; entries come in order, whole or cut.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "entry_formats.h"

namespace {

/// Stops the run on a broken property.
void check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "formats: %s\n", what);
  std::abort();
}

/// The number of lines the input spans (a last line without a newline counts).
int lines_of(std::string_view input) {
  int lines = 1;
  for (char c : input) lines += c == '\n';
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const EntryFormat format = static_cast<EntryFormat>(data[0] % 3);
  if (size < 2) return 0;
  const Charset charset = data[1] % 2 == 0 ? Charset::kCp850 : Charset::kUtf8;
  const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
  const ReadResult read = read_entries(input, format, charset);
  const int lines = lines_of(input);
  if (!read.malformed.empty()) {
    check(read.entries.empty(), "a malformed file gives no entries");
    check(read.line >= 1 && read.line <= lines, "a malformed file's line is in the file");
    return 0;
  }
  int line = 1;
  for (std::size_t i = 0; i < read.entries.size(); ++i) {
    const ReadEntry& e = read.entries[i];
    check(e.number == static_cast<int>(i) + 1, "entries are numbered in order");
    check(e.line >= line && e.line <= lines, "entries begin in order, within the file");
    line = e.line;
    check(e.author.find('\n') == std::string::npos || format == EntryFormat::kJson,
          "a line format's author is one line");
    if (format != EntryFormat::kJson) check(!e.quote.empty(), "a line format's entry has a line");
    check(!e.cut || e.quote.size() <= 64 * 1024, "a long entry is held in part");
  }
  return 0;
}
