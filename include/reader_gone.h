// Windows' word for a pipe whose reader has gone: for the Windows files only.
#pragma once

/// Whether a failed write's Windows error (GetLastError) says that the pipe's reader has
/// gone, which the C library does not always call EPIPE.
bool reader_has_gone(unsigned long error);
