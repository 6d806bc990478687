// Standard input and output as the console layer sees them: raw reads and writes, and
// whether each is a terminal. The one place that knows how the system hands them out.
#pragma once

#include <cstddef>

namespace std_streams {

/// Reads at most `size` bytes of standard input into `buffer`: the bytes of a pipe or
/// file as they are, or what the user types at a Windows console as code page 850 bytes
/// with its lines ending in "\n". Returns how many were read, 0 at the end of input, -1
/// on an error. An interrupted read is retried.
long read_input(unsigned char* buffer, std::size_t size);

/// What write_output() returns when the reader of a pipe has gone.
inline constexpr long kReaderGone = -2;

/// Writes `size` code page 850 bytes to standard output: as they are to a pipe, file or
/// POSIX terminal, shown as their characters on a Windows console. Returns how many
/// bytes were taken (at least one unless nothing could be written), kReaderGone when
/// the pipe's reader has closed it, -1 on any other error. An interrupted write is retried.
long write_output(const char* bytes, std::size_t size);

/// Whether standard input is a terminal (a Windows console, or a POSIX terminal).
bool input_is_terminal();
/// Whether standard output is a terminal (a Windows console, or a POSIX terminal).
bool output_is_terminal();

}  // namespace std_streams
