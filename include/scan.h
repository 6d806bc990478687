// The formatted-input conversions shared by the console and the data file readers.
#pragma once

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <cstring>

namespace scan {

/// True for the bytes C's isspace() accepts in the C locale.
constexpr bool is_blank(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

/// What a line read found: some text, or the end of input before any text.
enum class Line { kTaken, kAtEnd };

/// A source that lets a scanner walk the bytes it has read ahead in place (FileIn).
template <class Source>
concept Buffered = requires(Source& in, std::size_t count) {
  { in.ahead() } -> std::convertible_to<const unsigned char*>;
  { in.ahead_end() } -> std::convertible_to<const unsigned char*>;
  in.skip(count);
  { in.refill() } -> std::convertible_to<bool>;
};

/// Skips blanks; leaves the first byte that is not one in the input (-1 at the end).
template <class Source>
int skip_blanks(Source& in) {
  int c = in.get();
  while (is_blank(c)) c = in.get();
  if (c >= 0) in.unget(c);
  return c;
}

/// Walks the bytes a buffered source has read ahead, a run at a time: `run_length(from,
/// end)` tells how many of them, from the first, belong to the run. The first `keep` of
/// them go to `field` (from `field[kept]` on), the rest are dropped. Stops before the first
/// byte that does not belong (true) or at the end of the input (false); `kept` tells how
/// many were kept.
template <Buffered Source, class RunLength>
bool take_run(Source& in, RunLength run_length, char* field, std::size_t keep, std::size_t& kept) {
  for (;;) {
    const unsigned char* from = in.ahead();
    const unsigned char* end = in.ahead_end();
    if (from == end) {
      if (!in.refill()) return false;
      continue;
    }
    std::size_t run = run_length(from, end);
    std::size_t take = std::min(run, keep - kept);
    std::memcpy(field + kept, from, take);
    kept += take;
    in.skip(run);
    if (from + run != end) return true;
  }
}

/// Takes bytes up to, not including, `stop` (or the end of input), keeping the first
/// `keep` of them in `field` and dropping the rest; the stop byte stays in the input.
/// Returns how many bytes were kept; `field` is not NUL-terminated here.
template <class Source>
std::size_t take_until(Source& in, char* field, std::size_t keep, int stop) {
  std::size_t kept = 0;
  if constexpr (Buffered<Source>) {
    // The stop byte is found with memchr, a whole run of the bytes ahead at a time.
    auto up_to_stop = [stop](const unsigned char* from, const unsigned char* end) {
      const void* hit = std::memchr(from, stop, static_cast<std::size_t>(end - from));
      return static_cast<std::size_t>(
          (hit != nullptr ? static_cast<const unsigned char*>(hit) : end) - from);
    };
    take_run(in, up_to_stop, field, keep, kept);
  } else {
    for (int c = in.get(); c >= 0; c = in.get()) {
      if (c == stop) {
        in.unget(c);
        break;
      }
      if (kept < keep) field[kept++] = static_cast<char>(c);
    }
  }
  return kept;
}

/// The " %[^\n]" read: blanks skipped, then the rest of the line, cut to the field
/// (size - 1 bytes and a NUL); the newline stays in the input. On kAtEnd the field
/// is left as it was.
template <class Source>
Line read_line(Source& in, char* field, std::size_t size) {
  if (skip_blanks(in) < 0) return Line::kAtEnd;
  std::size_t n = take_until(in, field, size - 1, '\n');
  field[n] = '\0';
  return Line::kTaken;
}

/// Discards bytes up to and including the next newline, or to the end of input.
template <class Source>
void flushin(Source& in) {
  for (int c = in.get(); c >= 0 && c != '\n'; c = in.get()) {
  }
}

}  // namespace scan
