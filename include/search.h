// Searching the store, selecting the N-th match, deleting and replacing entries.
#pragma once

#include "quote_entry.h"

/// The match test on an entry read from the store: translates its quotation and author
/// in place to the console code page, then seeks `search` (already folded when
/// `ignore_case`) in the quotation, then in the author, in folded copies when
/// `ignore_case`.
bool match_entry(const char* search, char* quote, char* author, bool ignore_case);
/// Whether the case answer asks to ignore letter case.
inline bool is_yes(char answer) { return answer == 'S' || answer == 's'; }

/// The answers of a selection dialogue.
struct SelectionAnswers {
  char search[kSearchSize];
  int n;
  char case_answer;
};
/// Asks for the search string, N and the case answer; the case question starts on a new
/// line when `case_on_new_line`. A non-numeric N is taken as 0, which selects nothing.
SelectionAnswers ask_selection(bool case_on_new_line);

/// Main menu 2: the search dialogue.
void list_entries();
/// Lists every match of `search` in the store, with the closing count.
void create_list(char* search, char case_answer);
/// Shows and returns the N-th match of `search`, or an empty entry.
QuoteEntry find_entry(char* search, int n, char case_answer);
/// Main menu 11: shows the N-th match.
void lookfor_entry();
/// Main menu 3: deletes an entry found by search.
void erase_entry();
/// Main menu 4: replaces an entry found by search.
void alter_entry();
/// Removes every entry equal to the given one (console code page; translated in place)
/// from the store, and journals the deletion.
void delete_entry(char* quote, char* author);
