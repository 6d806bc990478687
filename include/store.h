// The quote store: its files, the record reader, the entry count, and adding entries.
#pragma once

#include <cstddef>

#include "file_io.h"
#include "scan.h"

/// The record reader: -1 at the end of the file, 0 for a byte that does not begin a
/// quotation (consumed), 1 with a quotation, double quotes included, in `quote` (a
/// field of kQuoteSize). At most 1997 bytes between the quotes are kept.
int getquot(FileIn& in, char* quote);
/// " %[^\n]" on a data file, into a field of `size` bytes.
inline scan::Line read_line(FileIn& in, char* field, std::size_t size) {
  return scan::read_line(in, field, size);
}
/// Skips the rest of the current line of a data file, its newline included.
inline void flushin(FileIn& in) { scan::flushin(in); }

/// Creates or empties a data file; the store gets its header line.
void create_file(const char* name);
/// Creates the data file when it cannot be opened for reading.
void file_exists(const char* name);

/// Main menu 9: counts the entries of the store.
void mem_check();

/// Writes the copy layout of the store (first line, then per entry a blank line, the
/// quotation, a newline and the author, no final newline): the safety and backup copies.
void write_copy(FileIn& store, FileOut& copy);

/// Reads a quotation typed on the console into a field of kQuoteSize bytes.
void readQuot(char* quote);
/// Main menu 1: the adding dialogue.
void add_entries();
/// One pass of typing, confirming and adding, for the replace dialogue.
void alter_addentry();
/// Appends an entry (console code page; translated in place to the file code page) to
/// the store and journals it. Returns only on success or when the quotation is refused.
void add_entry(char* quote, char* author);
