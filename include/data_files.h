// The names of the data files the program keeps in the current directory.
#pragma once

#include <cstring>

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
inline constexpr const char* kStoreHeader = "-== Cita\xE7\xF5" "es ==-";
