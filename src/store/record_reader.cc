// The record reader: the one scanner for entries in every data file.
#include <algorithm>
#include <cstring>

#include "quote_entry.h"
#include "quote_scan.h"
#include "store.h"

namespace {

/// The most bytes kept between the two double quotes; the field also holds both quotes
/// and the NUL.
constexpr std::size_t kMaxQuoteText = kQuoteSize - 3;

}  // namespace

int getquot(FileIn& in, char* quote) {
  int c = in.get();
  if (c < 0) return -1;
  // No end-of-file test while walking blanks: the end then returns 0, and -1 comes next.
  while (c == ' ' || c == '\n') c = in.get();
  if (c != '"') return 0;
  std::size_t n = 0;
  quote[n++] = '"';
  // The first byte the classes do not admit ends the quotation, and is consumed: normally
  // the closing double quote, otherwise the rest of the text stays in the file. The end
  // of the file ends it too. Bytes past the field's room are read and dropped.
  for (;;) {
    const unsigned char* from = in.ahead();
    const unsigned char* end = in.ahead_end();
    if (from == end) {
      if (!in.refill()) break;
      continue;
    }
    std::size_t run = admitted_run(from, end);
    std::size_t take = std::min(run, kMaxQuoteText + 1 - n);
    std::memcpy(quote + n, from, take);
    n += take;
    if (from + run != end) {
      in.skip(run + 1);  // the byte that ended it
      break;
    }
    in.skip(run);
  }
  quote[n++] = '"';
  quote[n] = '\0';
  return 1;
}
