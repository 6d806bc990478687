// The messages every dialogue gives when a data file cannot be opened or rewritten.
#pragma once

/// Where the message begins: on the current line, or after a newline.
enum class Opening { kSameLine, kNewLine };

/// Says that a data file could not be opened and ends the program with status -1.
[[noreturn]] void cannot_open_file(Opening opening);
/// Says that the data file `name` could not be read and ends the program with status -1.
[[noreturn]] void cannot_read_file(const char* name);
/// Says that the data file `name` could not be rewritten; it stays as it was.
void cannot_change_file(const char* name);
