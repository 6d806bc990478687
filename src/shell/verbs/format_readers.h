// The readers of each input format, behind read_entries.
#pragma once

#include <string_view>

#include "entry_formats.h"

/// A file found malformed: why (code page 850) and at which line; no entries.
inline ReadResult malformed(const char* why, int line) {
  ReadResult result;
  result.malformed = why;
  result.line = line;
  return result;
}

/// Reads entries written as exportar writes texto: a quotation between double quotes (on
/// as many lines as it holds), a line "\t-- " and the author, blank lines between entries.
ReadResult read_text_entries(std::string_view input);
/// Reads entries separated by lines holding only "%", the last line of each "-- " and the
/// author (blanks before and after "--" are allowed).
ReadResult read_fortune_entries(std::string_view input);
/// Reads a json array of objects with the string members "citacao" and "autor" (others
/// are ignored).
ReadResult read_json_entries(std::string_view input);
