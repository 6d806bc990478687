// Reading data files back for the fuzzers' checks, through the program's entry reader.
#include "store_scan.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <system_error>

#include "encoding.h"
#include "entry_reader.h"
#include "file_io.h"
#include "quote_entry.h"
#include "record_reader.h"

namespace fuzzcheck {

void fail(const std::string& what) {
  std::fprintf(stderr, "\n*** broken: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

namespace {

void check_quote(const char* quote) {
  std::size_t n = strnlen(quote, kQuoteSize);
  if (n == kQuoteSize) fail("quote field not NUL-terminated within its 2000 bytes");
  if (n < 2 || quote[0] != '"' || quote[n - 1] != '"')
    fail("quote does not start and end with a double quote: " + std::string(quote, n));
  if (n - 2 > kQuoteSize - 3) fail("more than 1997 bytes between the double quotes");
  for (std::size_t i = 1; i + 1 < n; ++i) {
    auto c = static_cast<unsigned char>(quote[i]);
    if (c == '"' || !admitted_in_quote(c)) fail("quote holds a byte the reader does not admit");
  }
}

void check_author(const char* author) {
  std::size_t n = strnlen(author, kAuthorSize);
  if (n == kAuthorSize) fail("author field not NUL-terminated within its 50 bytes");
  if (std::memchr(author, '\n', n) != nullptr) fail("author holds a newline");
}

/// The span lies after the first line and after the entry before, begins at a double
/// quote and ends just past a newline or at the end of the file.
void check_span(const EntrySpan& span, const std::string& bytes, long long from) {
  const auto size = static_cast<long long>(bytes.size());
  if (span.begin < from || span.end <= span.begin || span.end > size)
    fail("entry span [" + std::to_string(span.begin) + ", " + std::to_string(span.end) +
         ") outside the unread part of the file, from " + std::to_string(from));
  if (bytes[static_cast<std::size_t>(span.begin)] != '"')
    fail("entry span does not begin at a double quote");
  if (span.end != size && bytes[static_cast<std::size_t>(span.end - 1)] != '\n')
    fail("entry span ends neither past a newline nor at the end of the file");
}

}  // namespace

Scan scan_file(const std::string& path, Reader how) {
  Scan result;
  const std::string bytes = read_bytes(path);
  FileIn in(path.c_str());
  if (!in.ok()) fail("cannot open " + path);
  // On the heap and filled with noise, so that a missing NUL shows and the address
  // sanitizer sees a write past the entry.
  auto found = std::make_unique<FoundEntry>();

  if (how == Reader::kCount) {
    read_line(in, found->entry.quote, kQuoteSize);
    if (strnlen(found->entry.quote, kQuoteSize) == kQuoteSize)
      fail("first line not NUL-terminated within its 2000 bytes");
  } else {
    flushin(in);
  }

  EntryReader entries(in);
  long long from = in.offset();
  for (;;) {
    std::memset(&found->entry, 'x', sizeof found->entry);
    if (!entries.next(*found)) break;
    // Every entry takes at least its two double quotes' worth of the file.
    if (result.entries.size() > bytes.size()) fail("the entry reader does not reach the end of the file");
    check_quote(found->entry.quote);
    check_author(found->entry.author);
    if (found->author_cut && (found->entry.author[0] != '\0' || found->span.end != in.offset()))
      fail("an author cut by the end is not empty, or its span does not end there");
    check_span(found->span, bytes, from);
    from = found->span.end;
    if (how == Reader::kJournal && found->author_cut) break;
    result.entries.push_back({found->entry.quote, found->entry.author});
    result.spans.push_back({found->span.begin, found->span.end});
  }
  if (entries.failed()) fail("a read of " + path + " failed");
  if (entries.next(*found)) fail("the entry reader does not stay at the end");
  return result;
}

std::string read_bytes(const std::string& path, bool* exists) {
  std::ifstream file(path, std::ios::binary);
  if (exists != nullptr) *exists = static_cast<bool>(file);
  std::ostringstream bytes;
  if (file) bytes << file.rdbuf();
  return bytes.str();
}

void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file) fail("cannot write " + path);
}

std::string make_scratch_dir(const char* tag) {
  // Removed again when the process ends normally; a crash leaves them for a look.
  struct Made {
    std::vector<std::string> dirs;
    ~Made() {
      std::error_code ignored;
      for (const auto& dir : dirs) std::filesystem::remove_all(dir, ignored);
    }
  };
  static Made made;
  const char* root = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  std::string pattern = std::string(root) + "/talvo-" + tag + "-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) fail("cannot make a scratch directory");
  made.dirs.push_back(pattern);
  return pattern;
}

}  // namespace fuzzcheck
