// The verbs' text: what they write, in the locale's character set.
#include "verb_text.h"

#include <unistd.h>

#include "entry_text.h"

void file_to_text(std::string_view file, Charset charset, std::string& out) {
  if (charset == Charset::kCp850) {
    file_to_cp850(file, out);
    return;
  }
  std::string console;
  file_to_cp850(file, console);
  console_to_text(console, charset, out);
}

void console_to_text(std::string_view console, Charset charset, std::string& out) {
  if (charset == Charset::kCp850) out += console;
  else unicode::cp850_to_utf8(console, out);
}

void VerbOutput::file_text(std::string_view file) {
  scratch_.clear();
  file_to_text(file, charset_, scratch_);
  raw(scratch_);
}

void VerbOutput::console_text(std::string_view console) {
  scratch_.clear();
  console_to_text(console, charset_, scratch_);
  raw(scratch_);
}

void say_error(Charset charset, std::string_view message, std::string_view argument) {
  std::string text;
  console_to_text(message, charset, text);
  text += argument;
  text += '\n';
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t n = ::write(STDERR_FILENO, text.data() + done, text.size() - done);
    if (n <= 0) break;  // nobody to tell
    done += static_cast<std::size_t>(n);
  }
}
