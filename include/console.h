// The console: every read and write of standard input and output goes through here.
// The reads are C's formatted-input conversions as the dialogues use them, with their
// fields bounded; standard output is flushed before every read. At the end of input a
// read that needs a character ends the program cleanly (exit_program(0)).
#pragma once

#include <cstddef>

namespace console {

/// Writes a code page 850 text as it is.
void out(const char* text);
/// Writes printf-style formatted code page 850 text.
void outf(const char* format, ...) __attribute__((format(printf, 1, 2)));
/// Hands what was written to the terminal or pipe.
void flush();

/// " %d" (or "%d", the same for numbers): blanks skipped, an optional sign and digits,
/// clamped to the int range. False when no digits follow: then the rest of the line,
/// up to its newline, is discarded.
bool read_number(int& value);
/// " %c": blanks skipped, then one character.
char read_char();
/// "%c": the very next character, blank or not.
char read_next_char();
/// " %[^\n]" into a field of `size` bytes: blanks skipped, the rest of the line kept as
/// far as it fits (the excess discarded), the newline left in the input.
void read_line(char* field, std::size_t size);
/// "%[^<stop>]" with nothing skipped: the bytes up to `stop`, the first `keep` of them
/// stored in `field` (not NUL-terminated), the rest dropped; `stop` stays in the input.
/// Returns how many were stored. Meeting the end of input here just ends the piece.
std::size_t read_piece(char* field, std::size_t keep, char stop);
/// Whether an answer read with read_char() or read_next_char() is yes: "S" or "s".
inline bool is_yes(char answer) { return answer == 'S' || answer == 's'; }
/// A wait: reads exactly one character.
void wait();
/// Discards the rest of the input line, its newline included (or up to the end).
void flushin();
/// Pushes one character back, to be read first.
void push_back(char c);

/// Learns, once at start, how the screen is cleared (a `cls` command on PATH, or the
/// ANSI sequence on a terminal, or not at all) and whether the console needs a bridge.
void setup();
/// Clears the screen.
void clear_screen();

}  // namespace console
