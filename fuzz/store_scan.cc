// Reading data files back for the fuzzers' checks.
#include "store_scan.h"

#include <sys/stat.h>
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
#include "file_io.h"
#include "quote_entry.h"
#include "store.h"

namespace fuzzcheck {

void fail(const std::string& what) {
  std::fprintf(stderr, "\n*** broken: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

namespace {

/// A field exactly as wide as the program's, on the heap so that the address sanitizer
/// sees any byte written past it; filled with noise so a missing NUL shows.
std::unique_ptr<char[]> field(std::size_t size) {
  std::unique_ptr<char[]> f(new char[size]);
  std::memset(f.get(), 'x', size);
  return f;
}

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

/// The author read: returns false when it met the end of the file.
bool read_author(FileIn& in, char* author, std::size_t size) {
  if (read_line(in, author, size) == scan::Line::kAtEnd) return false;
  std::size_t n = strnlen(author, size);
  if (n == size) fail("author field not NUL-terminated within its size");
  if (n > 0 && std::memchr(author, '\n', n) != nullptr) fail("author holds a newline");
  return true;
}

off_t size_of(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_size : 0;
}

}  // namespace

Scan scan_file(const std::string& path, Reader how) {
  Scan result;
  FileIn in(path.c_str());
  if (!in.ok()) fail("cannot open " + path);
  auto quote = field(kQuoteSize);
  std::size_t author_size = how == Reader::kCopy ? kQuoteSize : kAuthorSize;
  auto author = field(author_size);

  if (how == Reader::kJournal) {
    flushin(in);
  } else if (read_line(in, quote.get(), kQuoteSize) == scan::Line::kTaken) {
    std::size_t n = strnlen(quote.get(), kQuoteSize);
    if (n == kQuoteSize) fail("first line not NUL-terminated within its 2000 bytes");
    result.has_first = true;
    result.first = quote.get();
    result.nul_cut = result.first.empty();
  }

  // Every call but the last consumes at least one byte.
  const off_t most_calls = size_of(path) + 2;
  off_t calls = 0;
  for (int got; (got = getquot(in, quote.get())) != -1;) {
    if (++calls > most_calls) fail("record reader does not reach the end of the file");
    if (got == 0) continue;
    if (got != 1) fail("record reader returned something other than -1, 0 or 1");
    check_quote(quote.get());
    std::memset(author.get(), 'x', author_size);
    if (!read_author(in, author.get(), author_size)) {
      if (how != Reader::kStore) break;
      author[0] = '\0';  // kept, with an empty author, by the count and the deletion
    } else if (author[0] == '\0') {
      result.nul_cut = true;
    }
    result.entries.push_back({quote.get(), author.get()});
  }
  if (getquot(in, quote.get()) != -1) fail("record reader does not stay at the end");
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

void copy_layout(const std::string& from, const std::string& to) {
  FileIn in(from.c_str());
  if (!in.ok()) fail("cannot copy " + from);
  if (!copy_whole(in, from.c_str(), to.c_str(), "copy.scratch")) fail("cannot write " + to);
}

}  // namespace fuzzcheck
