// The quote store: its files, the record reader, the entry count, and adding entries.
#pragma once

#include <cstddef>
#include <functional>

#include "entry_reader.h"
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

/// Creates a data file where none stands at that name (an existing one is never emptied);
/// the store gets its header line. A name that exists but cannot be opened is left for the
/// caller's own open to report.
void create_file(const char* name);
/// Creates the data file when it cannot be opened for reading.
void file_exists(const char* name);
/// How an append went.
enum class Appended {
  kDone,
  kNotOpened,   ///< the file could not be opened for appending
  kNotWritten,  ///< it could not be written and synced: it is cut back to what it held
};
/// Appends to the data file `name` (created when missing) what `put` writes, and syncs
/// it: the one way entries are added to a file in place.
Appended append_entries(const char* name, const std::function<void(FileOut&)>& put);

/// Writes into `out` every byte of the file open at `file` but those of the entry at
/// `span` and at most one separating newline next to it: an empty line before or after
/// it, or, for an entry that ends the file, the newline before it. Everything else stays
/// as it stands, in order, so the file reads back the same less that one entry. A read of
/// the file that fails, even of one byte, fails `out`.
void copy_without(FileIn& file, const EntrySpan& span, FileOut& out);
/// The span of the last entry of the data file open at `file` (read from where it stands)
/// equal to the given one (file code page); entries cut short by the end of the file count
/// only when `cut_counts`. Not found when there is none, or when a read failed (then
/// file.failed() tells).
EntrySpan last_equal(FileIn& file, const char* quote, const char* author, bool cut_counts);
/// Reads into `entry` the entry at `span` of the file open at `file`; false unless an
/// entry still begins and ends there.
bool entry_at(FileIn& file, const EntrySpan& span, QuoteEntry& entry);

/// Skips the store's first line as the count reads it (blank lines before it included).
void skip_store_header(FileIn& store);
/// The number of entries of the store open at `store` (from its start), as the count
/// shows it. A failed read ends the count: store.failed() then tells.
int count_entries(FileIn& store);
/// Main menu 9: counts the entries of the store.
void mem_check();

/// Puts a byte-for-byte copy of the file `source_name`, open at `source`, in place of
/// `target`, through the scratch file `scratch`. A target that is not there yet gets the
/// store's permission bits (a new store, the source's). False, with the target as it was,
/// when the source cannot be read whole or the copy cannot be written. Only the first
/// `size` bytes are copied when it is given.
bool copy_whole(FileIn& source, const char* source_name, const char* target,
                const char* scratch, long long size = -1);
/// Writes the first `size` bytes (all, when not given) of the file open at `source` into
/// the rewrite `copy` and commits it. False when the source cannot be read whole or the
/// copy cannot be made.
bool copy_into(FileIn& source, Rewrite& copy, long long size = -1);

/// Whether the record reader will read this quotation (file code page) back whole: an
/// opening double quote, admitted bytes only, the closing double quote, then only blanks
/// (space, tab, carriage return).
bool reads_back_whole(const char* quote);

/// Reads a quotation typed on the console into a field of kQuoteSize bytes.
void readQuot(char* quote);
/// Main menu 1: the adding dialogue.
void add_entries();
/// One pass of typing, confirming and adding, for the replace dialogue; whether the entry
/// was added.
bool alter_addentry();
/// Appends an entry (console code page; translated in place to the file code page) to
/// the store and journals it. Returns only on success (true) or when the quotation is
/// refused (false).
bool add_entry(char* quote, char* author);
