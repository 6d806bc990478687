// The data files the program keeps in the current directory: their names, their creation,
// the one append of entries, and whole copies.
#pragma once

#include <cstring>
#include <functional>

#include "file_io.h"

/// The quote store.
inline constexpr const char* kStoreFile = "citas.txt";
/// Entries added during this run.
inline constexpr const char* kAddedJournal = "added.dat";
/// Entries deleted during this run.
inline constexpr const char* kDeletedJournal = "deleted.dat";
/// The safety copy written at every clean end.
inline constexpr const char* kSafetyCopy = "tempcopy.dat";
/// The backup copy made on request.
inline constexpr const char* kBackupCopy = "copy.dat";
/// When the last backup copy was started.
inline constexpr const char* kBackupStamp = "auxy.dat";
/// Scratch file of a store rewrite.
inline constexpr const char* kStoreScratch = "tempy.txt";
/// Scratch file of a journal rewrite.
inline constexpr const char* kJournalScratch = "temph.txt";
/// Scratch file of a copy (safety or backup) before it takes its name.
inline constexpr const char* kCopyScratch = "tempcopy.tmp";
/// Scratch file of the backup stamp before it takes its name.
inline constexpr const char* kStampScratch = "auxy.tmp";

/// How a data file's name is opened: only the store is followed through a symbolic link;
/// a link at any other data file's name is never followed (its open fails).
inline Links links_at(const char* name) {
  return std::strcmp(name, kStoreFile) == 0 ? Links::kFollow : Links::kRefuse;
}

/// The store header line, "-== Citações ==-" in ISO-8859-1, written with no newline.
inline constexpr const char* kStoreHeader =
    "-== Cita\xE7\xF5"
    "es ==-";

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

/// Puts a byte-for-byte copy of the file `source_name`, open at `source`, in place of
/// `target`, through the scratch file `scratch`. A target that is not there yet gets the
/// store's permission bits (a new store, the source's). False, with the target as it was,
/// when the source cannot be read whole or the copy cannot be written. Only the first
/// `size` bytes are copied when it is given.
bool copy_whole(FileIn& source, const char* source_name, const char* target, const char* scratch,
                long long size = -1);
/// The rewrite that puts a copy of the file `source_name` in place of `target`, through
/// the scratch file `scratch`, with the bits a copy gets: the store is replaced through a
/// symbolic link and keeps its bits; any other copy is never more open than the store,
/// nor than the copy it replaces.
Rewrite copy_rewrite(const char* source_name, const char* target, const char* scratch);
/// Writes the first `size` bytes (all, when not given) of the file open at `source` into
/// the rewrite `copy` and commits it. False when the source cannot be read whole or the
/// copy cannot be made.
bool copy_into(FileIn& source, Rewrite& copy, long long size = -1);
