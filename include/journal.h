// The session journals of the current run and their counters.
#pragma once

/// Entries counted in the added journal during this run.
extern int Nadd;
/// Entries counted in the deleted journal during this run.
extern int Ndele;

/// Appends an entry (file code page) to the journal `name` and counts it. False, with the
/// journal as it was and nothing counted, when it cannot be opened or the append made whole;
/// the caller undoes what the entry's journalling was for and reports it.
bool add_entryH(const char* name, const char* quote, const char* author);
/// Strikes one entry equal to the given one (the last) from the journal `name`, every
/// other byte kept; uncounts one when it struck one.
void delete_entryH(const char* name, const char* quote, const char* author);
