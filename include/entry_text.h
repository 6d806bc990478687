// The text of an entry as every part of the program reads it, and text from outside
// turned into what a data file holds.
#pragma once

#include <string>
#include <string_view>

#include "unicode.h"

/// What a text from outside is for: the control characters each admits.
enum class TextField {
  kQuote,   ///< a quotation: tab and newline
  kAuthor,  ///< an author: tab
  kSearch,  ///< a search string: tab (an entry may hold one); no check against the file
};

/// Appends to `out` the text of the file bytes `file` (ISO-8859-1 for ASCII and the 36
/// accented letters, any other character as its code page 850 byte): the code page 850
/// bytes the menu shows for them.
void file_to_cp850(std::string_view file, std::string& out);
/// Appends to `out` the file bytes of the code page 850 text `cp850`.
void cp850_to_file(std::string_view cp850, std::string& out);

/// The text of a quotation (file bytes) inside the double quotes that delimit it in a
/// data file.
std::string_view inside_quotes(std::string_view quote);

/// Appends to `out` the code page 850 byte of each character of `text`. False, with
/// `refused` the first character that cannot be taken, for a character code page 850
/// lacks, a control character (U+0000-U+001F, U+007F-U+009F) that `field` does not
/// admit, or, in an entry's fields, a character whose byte a data file would give back
/// as another one (ß is stored as the byte of á).
bool to_cp850(std::u32string_view text, TextField field, std::string& out, char32_t& refused);

/// A character named for a message: "U+" and at least four upper-case hexadecimal
/// digits, then, in UTF-8 and when it is printable, a space and the character itself.
std::string describe_character(char32_t code, Charset charset);
