// Typing an entry on the console: the quotation reader and the adding dialogues.
#include <cstring>

#include "console.h"
#include "cp850.h"
#include "quote_entry.h"
#include "shell.h"
#include "store.h"

namespace {

/// The most bytes kept of the body (up to the closing double quote) and of the tail.
constexpr std::size_t kBodyKeep = kQuoteSize - 4;
constexpr std::size_t kTailKeep = 2;

/// Types, shows and, on a yes, adds one entry: the steps every adding pass shares.
/// Whether the entry was added.
bool type_and_confirm() {
  QuoteEntry entry{};
  console::out("\n\nIntroduza citação: "_cp);
  readQuot(entry.quote);
  console::out("\n\nIntroduza autor: "_cp);
  console::read_line(entry.author, sizeof entry.author);
  console::clear_screen();
  console::outf(
      "\n\n\nDeseja adicionar a entrada?\n\n\tCitação: %s\n\n\tAutor: %s\n\nOpção (S/N): "_cp,
      entry.quote, entry.author);
  if (console::is_yes(console::read_char())) return add_entry(entry.quote, entry.author);
  console::out("\nEstado: A entrada não foi adicionada.\n\n"_cp);
  return false;
}

}  // namespace

void readQuot(char* quote) {
  // The first character as typed, then up to the next double quote (across lines), then
  // the rest of that line: assembled raw, so a NUL typed anywhere ends the text there.
  char first = console::read_next_char();
  char body[kBodyKeep];
  char tail[kTailKeep];
  std::size_t body_size = console::read_piece(body, sizeof body, '"');
  std::size_t tail_size = console::read_piece(tail, sizeof tail, '\n');
  quote[0] = first;
  std::memcpy(quote + 1, body, body_size);
  std::memcpy(quote + 1 + body_size, tail, tail_size);
  quote[1 + body_size + tail_size] = '\0';
}

void add_entries() {
  // The menu has discarded its answer line; the pushed-back newline lets the discard
  // below return at once on the first pass, and take the prompt's line on later ones.
  console::push_back('\n');
  do {
    console::flushin();
    type_and_confirm();
    console::wait();
  } while (continue_dialogue());
}

bool alter_addentry() {
  console::push_back('\n');
  console::flushin();
  return type_and_confirm();
}
