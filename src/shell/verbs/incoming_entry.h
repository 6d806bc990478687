// An entry from outside the program (importar), checked and turned into what the store
// holds, and the form in which two entries are compared.
#pragma once

#include <string>
#include <string_view>

#include "cp850.h"
#include "unicode.h"

/// Why a character refuses an entry, and why its length does (code page 850).
inline constexpr const char* kNotAdmitted = "carácter não admitido"_cp;
inline constexpr const char* kTooLongQuote = "citação com mais de 1997 caracteres"_cp;

/// An entry as the store holds it: file bytes, the quotation between its double quotes.
struct StoredForm {
  std::string quote;
  std::string author;
  /// Whether typographic marks (curly quotes, dashes, ellipsis, no-break spaces) were
  /// replaced to make it.
  bool replaced = false;
};

/// Why an entry was refused: the kind of reason (code page 850) and what it is about (in
/// the output's character set; empty when nothing more is said).
struct Refusal {
  std::string reason;
  std::string detail;
  bool refused() const { return !reason.empty(); }
  /// The reason as a message says it, ready for the detail to follow.
  std::string said() const { return detail.empty() ? reason : reason + ": "; }
};

/// Takes a quotation and an author as read, in `input`: blank lines at either end of the
/// quotation and blanks at either end of the author dropped, the quotation's own double
/// quotes (any kind, when it has a pair) taken off and the store's put around it,
/// typographic marks replaced by the signs a quotation admits (an author's no-break
/// spaces only), each character turned into its file byte. An entry without author gets
/// `default_author` (file bytes, checked by take_author; empty for none). Refused, for
/// its first fault only, when the quotation holds a character it may not, or is too long,
/// or the author holds a character it may not, is empty or too long; characters are named
/// in `output`.
Refusal take_entry(std::string_view quote, std::string_view author, Charset input, Charset output,
                   StoredForm& entry, std::string_view default_author = {});

/// Takes an author alone, as take_entry takes an entry's, into its file bytes `author`.
Refusal take_author(std::string_view text, Charset input, Charset output, std::string& author);

/// What makes two entries one: the quotation's text inside its double quotes without the
/// blank lines at either end, and the author without blanks at either end (file bytes).
void entry_key(std::string_view quote, std::string_view author, std::string& key);
