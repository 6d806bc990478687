// Edits of a data file by where an entry lies in it: the entry found, read again, or left out.
#pragma once

#include "entry_reader.h"
#include "file_io.h"
#include "quote_entry.h"

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
