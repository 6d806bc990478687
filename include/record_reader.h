// The record reader and the line reads of a data file: how the bytes of an entry are read.
#pragma once

#include <cstddef>

#include "file_io.h"
#include "scan.h"

/// The record reader: -1 at the end of the file, 0 for a byte that does not begin a
/// quotation (consumed), 1 with a quotation, double quotes included, in `quote` (a
/// field of kQuoteSize). At most 1997 bytes between the quotes are kept. With a quotation,
/// `begin` (when given) gets the offset of its opening double quote. When `keep_text` is
/// false the quotation is read just the same but only its double quotes are kept.
int getquot(FileIn& in, char* quote, long long* begin = nullptr, bool keep_text = true);
/// " %[^\n]" on a data file, into a field of `size` bytes.
inline scan::Line read_line(FileIn& in, char* field, std::size_t size) {
  return scan::read_line(in, field, size);
}
/// Skips the rest of the current line of a data file, its newline included.
inline void flushin(FileIn& in) { scan::flushin(in); }

/// Skips the store's first line as the count reads it (blank lines before it included).
void skip_store_header(FileIn& store);
/// Whether the record reader will read this quotation (file code page) back whole: an
/// opening double quote, admitted bytes only, the closing double quote, then only blanks
/// (space, tab, carriage return).
bool reads_back_whole(const char* quote);
