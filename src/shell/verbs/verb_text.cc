// The verbs' text: the locale's character set, and text crossing to and from the files.
#include "verb_text.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "accented_letters.h"
#include "../terminal.h"

Charset verb_charset() {
#ifdef _WIN32
  // Windows has no locale variables of its own: the first of LC_ALL, LC_CTYPE and LANG
  // that is set is read as on POSIX (by the character set after its dot), and without
  // any the system's ANSI code page tells.
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value == nullptr || *value == '\0') continue;
    const char* dot = std::strchr(value, '.');
    if (dot == nullptr) return Charset::kCp850;
    std::string_view set(dot + 1);
    set = set.substr(0, set.find('@'));
    return terminal::is_utf8_name(set) ? Charset::kUtf8 : Charset::kCp850;
  }
  return GetACP() == CP_UTF8 ? Charset::kUtf8 : Charset::kCp850;
#else
  return terminal::locale_is_utf8() ? Charset::kUtf8 : Charset::kCp850;
#endif
}

void append_utf8(char32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void file_to_text(std::string_view file, Charset charset, std::string& out) {
  if (charset == Charset::kCp850) {
    for (char c : file)
      out += static_cast<char>(accented::kFileToConsole[static_cast<unsigned char>(c)]);
    return;
  }
  // ISO-8859-1 bytes are the first 256 code points.
  for (char c : file) append_utf8(static_cast<unsigned char>(c), out);
}

namespace {

/// Decodes one UTF-8 character at `text[i]`, moving i past it; false when malformed
/// (a stray or missing continuation byte, an overlong form, a surrogate, past U+10FFFF).
bool next_code(std::string_view text, std::size_t& i, char32_t& code) {
  auto lead = static_cast<unsigned char>(text[i++]);
  int extra = lead < 0x80 ? 0 : lead >= 0xC2 && lead <= 0xDF ? 1 : lead >= 0xE0 && lead <= 0xEF ? 2
                                 : lead >= 0xF0 && lead <= 0xF4                ? 3
                                                                               : -1;
  if (extra < 0) return false;
  code = extra == 0 ? lead : lead & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    if (i >= text.size() || (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return false;
    code = (code << 6) | (static_cast<unsigned char>(text[i++]) & 0x3F);
  }
  if (extra == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) return false;
  if (extra == 3 && (code < 0x10000 || code > 0x10FFFF)) return false;
  return true;
}

}  // namespace

bool text_to_file(std::string_view text, Charset charset, std::string& out) {
  if (charset == Charset::kCp850) {
    for (char c : text)
      out += static_cast<char>(accented::kConsoleToFile[static_cast<unsigned char>(c)]);
    return true;
  }
  for (std::size_t i = 0; i < text.size();) {
    char32_t code = 0;
    if (!next_code(text, i, code) || code > 0xFF) return false;
    out += static_cast<char>(code);
  }
  return true;
}

std::string text_to_console(std::string_view text, Charset charset) {
  if (charset == Charset::kCp850) return std::string(text);
  // The console's own bridge from a UTF-8 terminal.
  std::string console(text.size() + terminal::Decoder::kExtra + 1, '\0');
  terminal::Decoder decoder;
  auto* out = reinterpret_cast<unsigned char*>(console.data());
  std::size_t n = decoder.feed(reinterpret_cast<const unsigned char*>(text.data()), text.size(), out);
  n += decoder.finish(out + n);
  console.resize(n);
  return console;
}

void console_to_text(std::string_view console, Charset charset, std::string& out) {
  if (charset == Charset::kCp850) out += console;
  else terminal::encode(console, out);
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
