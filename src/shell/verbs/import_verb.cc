// importar: the entries of a file, each checked as a typed one is, appended to the store
// in one synced append, under the collection's lock.
#include <unistd.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "collection_lock.h"
#include "cp850.h"
#include "data_files.h"
#include "entry_formats.h"
#include "quote_entry.h"
#include "store.h"
#include "verbs.h"

namespace {

/// One entry of the input, in the file code page once checked.
struct Candidate {
  std::string quote, author;
  const ReadEntry* read = nullptr;
  enum class Fate { kAdd, kRefused, kInStore, kRepeated } fate = Fate::kAdd;
  std::string why;  // kRefused: the reason, code page 850
};

/// Reads the whole input; false when it cannot be read.
bool read_input(const char* name, std::string& input) {
  const bool standard = std::string_view(name) == "-";
  FileIn in = standard ? FileIn(0) : FileIn(name);
  if (!in.ok()) return false;
  for (;;) {
    const unsigned char* from = in.ahead();
    const unsigned char* end = in.ahead_end();
    if (from == end) {
      if (!in.refill()) break;
      continue;
    }
    input.append(reinterpret_cast<const char*>(from), static_cast<std::size_t>(end - from));
    in.skip(static_cast<std::size_t>(end - from));
  }
  return !in.failed();
}

/// Turns an entry read from the input into the file code page and checks it as a typed
/// one is checked, and its author as the store can hold it. Empty when it passes, else
/// why not (code page 850).
std::string check(const ReadEntry& read, Charset charset, Candidate& entry) {
  if (!read.fault.empty()) return read.fault;
  if (!text_to_file(read.quote, charset, entry.quote) ||
      !text_to_file(read.author, charset, entry.author))
    return "tem caracteres que a colecção não pode guardar (ISO-8859-1)"_cp;
  if (entry.quote.find('\0') != std::string::npos || !reads_back_whole(entry.quote.c_str()))
    return "citação inválida: escreva-a entre aspas, só com letras, algarismos, espaços e os "
           "sinais ! ' , . : ; ? ( ) - / [ ] « »"_cp;
  // The blanks after the closing quote would not be read back: the entry is kept as it
  // reads back, so that it compares equal with itself.
  entry.quote.erase(entry.quote.rfind('"') + 1);
  if (entry.quote.size() > kQuoteSize - 1)  // the record reader keeps 1997 bytes inside
    return "a citação tem mais de 1997 caracteres entre as aspas"_cp;
  if (entry.author.empty()) return "falta o autor"_cp;
  if (entry.author.size() > kAuthorSize - 1) return "o autor tem mais de 49 caracteres"_cp;
  for (char c : entry.author)
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
      return "o autor tem caracteres de controlo"_cp;
  return {};
}

/// The key that makes two entries equal.
void key_of(std::string& key, std::string_view quote, std::string_view author) {
  key.assign(quote);
  key += '\n';  // no quotation ends in a newline: the join is unambiguous
  key += author;
}

/// Marks the candidates that the store, or an earlier candidate, already holds. False
/// when the store exists but cannot be read whole.
bool find_repeated(std::vector<Candidate>& candidates) {
  std::unordered_map<std::string, Candidate*> wanted;
  std::string key;
  for (Candidate& c : candidates) {
    if (c.fate != Candidate::Fate::kAdd) continue;
    key_of(key, c.quote, c.author);
    if (!wanted.emplace(key, &c).second) c.fate = Candidate::Fate::kRepeated;
  }
  FileIn store(kStoreFile);
  if (!store.ok()) return ::access(kStoreFile, F_OK) != 0;  // no store: nothing held yet
  skip_store_header(store);
  EntryReader entries(store, kStoreFile, OnReadError::kReport);
  FoundEntry found;
  while (entries.next(found)) {
    key_of(key, found.entry.quote, found.entry.author);
    auto at = wanted.find(key);
    if (at != wanted.end()) at->second->fate = Candidate::Fate::kInStore;
  }
  return !entries.failed();
}

/// Appends the entries to add in one synced append; false, with the store as it was,
/// when it cannot be made whole.
bool append(const std::vector<Candidate>& candidates) {
  return append_entries(kStoreFile, [&](FileOut& store) {
    for (const Candidate& c : candidates)
      if (c.fate == Candidate::Fate::kAdd) store.put_entry(c.quote.c_str(), c.author.c_str());
  });
}

}  // namespace

int import_verb(const CommandLine& line, Charset charset) {
  CollectionLock lock;
  if (lock.refused()) {
    say_error(charset, kCollectionBusy);
    return 2;
  }
  put_back_set_aside_store(kStoreFile);
  // A name that stands but cannot be opened (a dangling link) is no new collection:
  // nothing is created through it.
  if (FileIn store(kStoreFile); !store.ok() && name_taken(kStoreFile)) {
    store_opened(store, charset);
    return 2;
  }
  std::string input;
  if (!read_input(line.file, input)) {
    say_error(charset, "Erro: Impossibilidade em ler o ficheiro ", line.file);
    return 2;
  }
  const ReadResult read = read_entries(input, line.format);
  if (!read.malformed.empty()) {
    say_error(charset, "Erro: O ficheiro a importar está mal formado na linha "_cp +
                           std::to_string(read.line) + ": " + read.malformed);
    return 2;
  }
  // json is UTF-8 whatever the locale.
  const Charset input_charset = line.format == EntryFormat::kJson ? Charset::kUtf8 : charset;
  std::vector<Candidate> candidates(read.entries.size());
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    candidates[i].read = &read.entries[i];
    candidates[i].why = check(read.entries[i], input_charset, candidates[i]);
    if (!candidates[i].why.empty()) candidates[i].fate = Candidate::Fate::kRefused;
  }
  if (!find_repeated(candidates)) return store_read_failed(charset);

  int added = 0, skipped = 0, refused = 0;
  for (const Candidate& c : candidates) {
    added += c.fate == Candidate::Fate::kAdd;
    skipped += c.fate == Candidate::Fate::kInStore || c.fate == Candidate::Fate::kRepeated;
    refused += c.fate == Candidate::Fate::kRefused;
  }
  if (added > 0 && !append(candidates)) {
    say_error(charset, "Erro: As entradas não foram adicionadas: impossibilidade em escrever no "
                       "ficheiro "_cp, kStoreFile);
    return 2;
  }
  for (const Candidate& c : candidates) {
    if (c.fate != Candidate::Fate::kRefused) continue;
    say_error(charset, "Entrada "_cp + std::to_string(c.read->number) + " (linha " +
                           std::to_string(c.read->line) + ") recusada: " + c.why);
  }
  VerbOutput out(charset);
  out.console_text("Importadas: " + std::to_string(added) +
                   "; já existentes: "_cp + std::to_string(skipped) +
                   "; recusadas: " + std::to_string(refused) + "\n");
  return finish_output(out, refused == 0 ? 0 : 1);
}
