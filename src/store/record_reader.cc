// The record reader: the one scanner for entries in every data file.
#include "encoding.h"
#include "quote_entry.h"
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
  // the closing double quote, otherwise the rest of the text stays in the file.
  for (c = in.get(); c >= 0 && admitted_in_quote(static_cast<unsigned char>(c)); c = in.get())
    if (n <= kMaxQuoteText) quote[n++] = static_cast<char>(c);
  quote[n++] = '"';
  quote[n] = '\0';
  return 1;
}
