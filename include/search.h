// Searching the store, selecting the N-th match, deleting and replacing entries.
#pragma once

#include <cstddef>
#include <string_view>

#include "entry_reader.h"
#include "quote_entry.h"

/// The longest search string the match test takes: longer than any field, so a longer
/// one is found nowhere.
inline constexpr std::size_t kLongestSearch = kQuoteSize;

/// The match test, made ready once for a search string (console code page; it folds its
/// own copy when `ignore_case`): the string sought in an entry's quotation, then in its
/// author, both as translated to the console code page, folded when `ignore_case`, and
/// with each accented letter seen as its plain letter when `ignore_accents`.
class MatchTest {
 public:
  MatchTest(std::string_view search, bool ignore_case, bool ignore_accents = false);

  /// Tests an entry as the record reader gave it, in the file code page. On a match both
  /// fields are left translated in place to the console code page, in their stored letter
  /// case; otherwise what they hold is left unspecified.
  bool matches(char* quote, char* author) const;
  /// Whether an entry as the record reader gave it (file code page) matches; the fields
  /// are left as they are.
  bool holds(const char* quote, const char* author) const {
    return !too_long_ && (found_in_quote(quote) || found_in_text(author));
  }
  /// Whether letter case is ignored.
  bool ignoring_case() const { return ignore_case_; }

 private:
  bool found_in_quote(const char* quote) const;
  bool found_at(const char* text) const;
  /// The search string in `text` (NUL-terminated within its field) as seen translated,
  /// and folded when ignoring case.
  bool found_in_text(const char* text) const;

  bool ignore_case_;
  /// A string longer than any field: nothing holds it.
  bool too_long_ = false;
  /// What each file byte becomes in the comparison: translated, and folded when
  /// ignoring case.
  unsigned char seen_as_[256];
  char search_[kLongestSearch];
  /// The file bytes seen as the search string's first byte (NUL-terminated).
  char first_bytes_[256];
  std::size_t length_ = 0;
  /// Whether a quotation can be searched through its keys (see match.cc), and the search
  /// string spelled in keys; `quote_can_hold_` is false when no quotation byte becomes
  /// some byte of the search string.
  bool by_keys_ = true;
  bool quote_can_hold_ = true;
  char keys_[kLongestSearch];
};

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
/// Shows and returns the N-th match of `search`, or an empty entry; `span` (when given)
/// gets where it lies in the store.
QuoteEntry find_entry(char* search, int n, char case_answer, EntrySpan* span = nullptr);
/// Main menu 11: shows the N-th match.
void lookfor_entry();
/// Main menu 3: deletes an entry found by search.
void erase_entry();
/// Main menu 4: replaces an entry found by search.
void alter_entry();
/// Removes one entry from the store and journals the deletion: the entry a selection
/// found at `chosen`, or, without it, the last entry equal to the given one (console code
/// page; translated in place). Every other byte of the store stays as it was. The deleted
/// journal gets the entry as the menu would write the text it shows. Whether the entry
/// was deleted.
bool delete_entry(char* quote, char* author, const EntrySpan* chosen = nullptr);
