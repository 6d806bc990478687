// The record reader: the one scanner for entries in every data file.

#include "quote_entry.h"
#include "quote_scan.h"
#include "record_reader.h"

namespace {

/// The most bytes kept between the two double quotes; the field also holds both quotes
/// and the NUL.
constexpr std::size_t kMaxQuoteText = kQuoteSize - 3;

}  // namespace

int getquot(FileIn& in, char* quote, long long* begin, bool keep_text) {
  int c = in.get();
  if (c < 0) return -1;
  // No end-of-file test while walking blanks: the end then returns 0, and -1 comes next.
  while (c == ' ' || c == '\n') c = in.get();
  if (c != '"') return 0;
  if (begin != nullptr) *begin = in.offset() - 1;
  quote[0] = '"';
  // The first byte the classes do not admit ends the quotation, and is consumed: normally
  // the closing double quote, otherwise the rest of the text stays in the file. The end
  // of the file ends it too. Bytes past the field's room are read and dropped.
  std::size_t kept = 0;
  if (scan::take_run(in, admitted_run, quote + 1, keep_text ? kMaxQuoteText : 0, kept)) in.skip(1);
  std::size_t n = 1 + kept;
  quote[n++] = '"';
  quote[n] = '\0';
  return 1;
}
