// The history screen of the current run and the undoing of its changes.
#pragma once

#include "quote_entry.h"

/// Main menu 5: the history loop.
void history();
/// Prints the history report with its waits.
void list_hist();
/// The count listing of one journal.
void list_changes(const char* name);
/// The numbered listing of one journal.
void show_list(const char* name);
/// The entry the numbered listing prints under `number`, or an empty entry.
QuoteEntry find_entryH(const char* name, int number);
/// History answer 2: puts a deleted entry back.
void recov_quot();
/// History answer 3: deletes an added entry.
void del_quot();
