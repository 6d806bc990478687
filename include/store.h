// The quote store's own dialogues: typing and adding an entry, and counting the entries.
#pragma once

#include "file_io.h"

/// The number of entries of the store open at `store` (from its start), as the count
/// shows it. A failed read ends the count: store.failed() then tells.
int count_entries(FileIn& store);
/// Main menu 9: counts the entries of the store.
void mem_check();

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
