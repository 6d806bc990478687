// The console layer: buffered standard input and output under the dialogues' reads.
// Standard input and output are the process's own, so this file keeps their state,
// as the C library keeps stdin's and stdout's.
#include "console.h"

#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "console_platform.h"
#include "scan.h"
#include "shell.h"
#include "std_streams.h"
#include "unicode.h"

namespace console {
namespace {

/// Standard input as bytes, with a few bytes of push-back.
class Input {
 public:
  int get() {
    if (pushed_ > 0) return pushback_[--pushed_];
    if (pos_ == end_ && !fill()) return -1;
    return buffer_[pos_++];
  }
  void unget(int c) {
    if (c >= 0 && pushed_ < kPushback) pushback_[pushed_++] = static_cast<unsigned char>(c);
  }
  /// From now on the input is UTF-8 typed on a terminal, handed on as code page 850.
  void bridge() { decoder_.emplace(); }

 private:
  bool fill() {
    if (ended_) return false;  // the end of input, once met, stays: Ctrl-D is typed once
    flush();                   // every prompt is on the screen before the program waits
    for (;;) {
      long n = std_streams::read_input(decoder_ ? raw_ : buffer_, kRead);
      std::size_t got = n > 0 ? static_cast<std::size_t>(n) : 0;
      if (decoder_) got = n > 0 ? decoder_->feed(raw_, got, buffer_) : decoder_->finish(buffer_);
      if (got > 0) {
        pos_ = 0;
        end_ = got;
        return true;
      }
      if (n <= 0) {
        ended_ = true;
        return false;
      }
      // only the start of a character so far: read on
    }
  }

  static constexpr int kPushback = 4;
  static constexpr std::size_t kRead = 4096;
  std::optional<unicode::TerminalDecoder> decoder_;
  unsigned char raw_[kRead];
  unsigned char buffer_[kRead + unicode::TerminalDecoder::kExtra];
  std::size_t pos_ = 0, end_ = 0;
  unsigned char pushback_[kPushback];
  int pushed_ = 0;
  bool ended_ = false;
};

/// Standard output, buffered until the next read, clear or end, or until 64 KiB are held.
class Output {
 public:
  void write(const char* bytes, std::size_t size) {
    pending_.append(bytes, size);
    // A long listing read with its answers already typed ahead never waits for input:
    // hand it out in pieces, so what is held stays small whatever the store's size.
    if (pending_.size() >= kMostHeld) flush();
  }
  /// From now on the output goes to a UTF-8 terminal: each byte is shown as its character.
  void bridge() { utf8_ = true; }
  void flush() {
    if (utf8_ && !pending_.empty()) {
      std::string shown;
      unicode::cp850_to_utf8(pending_, shown);
      pending_.swap(shown);
    }
    std::size_t done = 0;
    while (!closed_ && done < pending_.size()) {
      long n = std_streams::write_output(pending_.data() + done, pending_.size() - done);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
      } else if (n == std_streams::kReaderGone) {
        // The reader has gone (`talvo | head`): the run ends as at the end of input.
        closed_ = true;
        pending_.clear();
        exit_program(0);
      } else {
        break;  // a console that fails otherwise: what cannot be shown is dropped
      }
    }
    pending_.clear();
  }

 private:
  static constexpr std::size_t kMostHeld = 64 * 1024;
  std::string pending_;
  bool utf8_ = false;
  bool closed_ = false;  // the reader has gone: nothing more is written
};

Input& input() {
  static Input in;
  return in;
}

Output& output() {
  static Output out;
  return out;
}

enum class Clear { kCommand, kAnsi, kNone };
Clear clear_mode = Clear::kNone;
/// The `cls` program run to clear the screen, by its full path.
std::string cls_path;
/// Whether the end of input is typed at a terminal (Ctrl-D) with the screen on one too.
bool on_terminal = false;

/// Whether the terminal's TERM can take the ANSI clear sequence.
bool term_takes_ansi() {
  const char* term = std::getenv("TERM");
  return term != nullptr && *term != '\0' && std::strcmp(term, "dumb") != 0;
}

/// The end of input at a read that needs a character: the program ends cleanly.
[[noreturn]] void input_ended() {
  // Ctrl-D leaves the cursor after the prompt: the shell's own prompt gets a line of its own.
  if (on_terminal) out("\n");
  exit_program(0);
}

/// A console read that needs a character and meets the end of input ends the program.
int need(int c) {
  if (c < 0) input_ended();
  return c;
}

}  // namespace

void out(const char* text) { output().write(text, std::strlen(text)); }

void outf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  // Formatted once into a local buffer, which holds every message and listed entry; only
  // a longer text is formatted a second time, into one of its own size.
  char local[4096];
  int size = std::vsnprintf(local, sizeof local, format, args);
  va_end(args);
  if (size > 0 && static_cast<std::size_t>(size) < sizeof local) {
    output().write(local, static_cast<std::size_t>(size));
  } else if (size > 0) {
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, again);
    output().write(text.data(), static_cast<std::size_t>(size));
  }
  va_end(again);
}

void flush() { output().flush(); }

bool read_number(int& value) {
  Input& in = input();
  need(scan::skip_blanks(in));
  int c = in.get();
  bool negative = c == '-';
  if (c == '-' || c == '+') c = in.get();
  if (c < '0' || c > '9') {
    // No digits: the answer is dropped up to its newline, which stays for the next read.
    while (c >= 0 && c != '\n') c = in.get();
    in.unget(c);
    return false;
  }
  long long magnitude = 0;
  for (; c >= '0' && c <= '9'; c = in.get())
    if (magnitude <= INT_MAX + 1LL) magnitude = magnitude * 10 + (c - '0');
  in.unget(c);
  long long signed_value = negative ? -magnitude : magnitude;
  if (signed_value > INT_MAX) signed_value = INT_MAX;
  if (signed_value < INT_MIN) signed_value = INT_MIN;
  value = static_cast<int>(signed_value);
  return true;
}

char read_char() {
  need(scan::skip_blanks(input()));
  return static_cast<char>(input().get());
}

char read_next_char() { return static_cast<char>(need(input().get())); }

void read_line(char* field, std::size_t size) {
  if (scan::read_line(input(), field, size) == scan::Line::kAtEnd) input_ended();
}

std::size_t read_piece(char* field, std::size_t keep, char stop) {
  return scan::take_until(input(), field, keep, static_cast<unsigned char>(stop));
}

void wait() { need(input().get()); }

void flushin() { scan::flushin(input()); }

void push_back(char c) { input().unget(static_cast<unsigned char>(c)); }

void setup() {
  bool in_terminal = std_streams::input_is_terminal();
  bool out_terminal = std_streams::output_is_terminal();
  if ((in_terminal || out_terminal) && unicode::terminal_is_utf8()) {
    if (in_terminal) input().bridge();
    if (out_terminal) output().bridge();
  }
  on_terminal = in_terminal && out_terminal;
  cls_path = platform::find_cls();
  if (!cls_path.empty()) clear_mode = Clear::kCommand;
  else if (out_terminal && term_takes_ansi()) clear_mode = Clear::kAnsi;
}

void clear_screen() {
  switch (clear_mode) {
    case Clear::kCommand:
      flush();
      platform::run_cls(cls_path);
      break;
    case Clear::kAnsi: out("\x1b[H\x1b[2J"); break;
    case Clear::kNone: break;
  }
}

}  // namespace console
