// Text crossing between the file code page (ISO-8859-1) and the console code page
// (IBM 850), the byte classes of a stored quotation, and console case folding.
#pragma once

/// Translates `text` in place from the file code page to the console code page: at most
/// `limit` bytes, stopping at the NUL. Only the 36 accented letters change.
void transl_f2c(char* text, int limit);
/// Translates `text` in place from the console code page to the file code page.
void transl_c2f(char* text, int limit);

/// Whether the console byte comes back as itself once written to a data file and read
/// again (translated to the file code page, then back): false for the 28 whose file byte
/// is that of an accented letter, such as ß, stored as the byte of á.
bool keeps_its_byte(unsigned char console);
/// Whether every byte of the console text `text` keeps its byte.
bool reads_back_as_typed(const char* text);

/// 1 when the byte is a letter, A-Z, a-z or one of the 36 accented letters (ISO-8859-1).
int letter(signed char c);
/// 1 when the byte is one of ! ' , . : ; ? « ».
int sign(signed char c);
/// 1 when the byte is one of ( ) - / [ ].
int symbol(signed char c);
/// 1 when the byte is a digit.
int number(signed char c);

/// Whether the record reader keeps the file byte inside a quotation: the four classes,
/// tab, newline, space and apostrophe.
bool admitted_in_quote(unsigned char c);

/// Lower-cases a console (code page 850) text in place: A-Z and the 18 accented capitals.
void tolow_c(char* text);
/// Takes the accents off a console text in place: each of the 36 accented letters and
/// code page 850's ä ë ï ö ü ÿ å ñ Ä Ë Ï Ö Ü Å Ñ becomes its plain letter, in its case.
void unaccent_c(char* text);
