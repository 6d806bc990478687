// The session journals of the current run and their counters.
#pragma once

/// Entries counted in the added journal during this run.
extern int Nadd;
/// Entries counted in the deleted journal during this run.
extern int Ndele;

/// Appends an entry (file code page) to the journal `name` and counts it.
void add_entryH(const char* name, const char* quote, const char* author);
/// Strikes every entry equal to the given one from the journal `name`; uncounts one
/// when any was struck.
void delete_entryH(const char* name, const char* quote, const char* author);
