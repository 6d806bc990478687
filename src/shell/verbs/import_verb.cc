// importar: the entries of a file, read a piece at a time, each checked as a typed one
// is, added to the store through its one rewrite (all of them or none), under the
// collection's lock; a report of what was done.
#include <string>
#include <vector>

#include "collection_lock.h"
#include "cp850.h"
#include "data_files.h"
#include "entry_formats.h"
#include "incoming_entry.h"
#include "import_report.h"
#include "store_additions.h"
#include "verbs.h"

namespace {

/// Says on standard error why an entry was refused.
void say_refused(Charset charset, const ReadEntry& read, const Refusal& why) {
  say_error(charset,
            "Entrada "_cp + std::to_string(read.number) + " (linha " + std::to_string(read.line) +
                ") recusada: " + why.said(),
            why.detail);
}

/// Checks an entry read from the input and turns it into the store's bytes. An entry
/// too long to be held is refused for a character of what was held, else for its length.
Refusal check(const ReadEntry& read, Charset input, Charset output, const std::string& author,
              StoredForm& entry) {
  Refusal why = take_entry(read.quote, read.author, input, output, entry, author);
  if (!read.cut || why.reason == kNotAdmitted) return why;
  return {kTooLongQuote, {}};
}

}  // namespace

int import_verb(const CommandLine& line, Charset charset) {
  // The author for entries without one is checked before anything is read.
  std::string default_author;
  if (line.default_author != nullptr) {
    Refusal why = take_author(line.default_author, charset, charset, default_author);
    if (why.refused())
      return usage_error(charset, "autor recusado (--autor): "_cp + why.said(), why.detail);
  }
  CollectionLock lock;
  if (lock.refused()) {
    say_error(charset, kCollectionBusy);
    return 2;
  }
  const bool standard = std::string_view(line.file) == "-";
  FileIn in = standard ? FileIn(0) : FileIn(line.file);
  if (!in.ok()) {
    say_error(charset, "Erro: Impossibilidade em ler o ficheiro ", line.file);
    return 2;
  }
  StoreAdditions store;
  if (int status = open_store(store, charset); status != 0) return status;

  EntrySource source(in, line.format, charset);
  ImportReport report;
  ReadEntry read;
  StoredForm entry;
  while (source.next(read)) {
    Refusal why = check(read, source.charset(), charset, default_author, entry);
    if (why.refused()) {
      say_refused(charset, read, why);
      report.refused(why.reason);
    } else if (store.add(entry)) {
      report.imported(entry.replaced);
    } else {
      report.held();
    }
  }
  if (source.malformed() != nullptr) {
    say_error(charset, "Erro: O ficheiro a importar está mal formado na linha "_cp +
                           std::to_string(source.line()) + ": " + source.malformed());
    return 2;
  }
  if (source.failed()) {
    say_error(charset, "Erro: Impossibilidade em ler o ficheiro ", line.file);
    return 2;
  }
  if (!store.ready()) {
    say_error(charset,
              "Erro: As entradas não foram adicionadas: impossibilidade em escrever no "
              "ficheiro "_cp,
              kStoreFile);
    return 2;
  }
  // The report is out before the new store takes the old one's place: a report that
  // cannot be written changes nothing.
  if (!report.write(charset, source.ignored(), line.simulate)) {
    say_error(charset, kCannotWriteOutput);
    return 2;
  }
  if (!line.simulate && !store.commit()) {
    say_error(charset, "Erro: A colecção não foi alterada."_cp);
    return 2;
  }
  return report.any_refused() ? 1 : 0;
}
