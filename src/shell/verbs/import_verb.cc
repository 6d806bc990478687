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
#include "incoming_entry.h"
#include "quote_entry.h"
#include "store.h"
#include "verbs.h"

namespace {

/// One entry of the input, in the file code page once checked.
struct Candidate {
  std::string quote, author;
  const ReadEntry* read = nullptr;
  enum class Fate { kAdd, kRefused, kInStore, kRepeated } fate = Fate::kAdd;
  Refusal why;  // kRefused: the reason
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

/// Checks an entry read from the input and turns it into the store's bytes.
Refusal check(const ReadEntry& read, Charset input, Charset output, Candidate& entry) {
  if (!read.fault.empty()) return {read.fault, {}};
  StoredForm stored;
  Refusal refusal = take_entry(read.quote, read.author, input, output, stored);
  entry.quote = std::move(stored.quote);
  entry.author = std::move(stored.author);
  return refusal;
}

/// Marks the candidates that the store, or an earlier candidate, already holds. False
/// when the store exists but cannot be read whole.
bool find_repeated(std::vector<Candidate>& candidates) {
  std::unordered_map<std::string, Candidate*> wanted;
  std::string key;
  for (Candidate& c : candidates) {
    if (c.fate != Candidate::Fate::kAdd) continue;
    entry_key(c.quote, c.author, key);
    if (!wanted.emplace(key, &c).second) c.fate = Candidate::Fate::kRepeated;
  }
  FileIn store(kStoreFile);
  if (!store.ok()) return ::access(kStoreFile, F_OK) != 0;  // no store: nothing held yet
  skip_store_header(store);
  EntryReader entries(store, kStoreFile, OnReadError::kReport);
  FoundEntry found;
  while (entries.next(found)) {
    entry_key(found.entry.quote, found.entry.author, key);
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
    candidates[i].why = check(read.entries[i], input_charset, charset, candidates[i]);
    if (candidates[i].why.refused()) candidates[i].fate = Candidate::Fate::kRefused;
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
                           std::to_string(c.read->line) + ") recusada: " + c.why.reason +
                           (c.why.detail.empty() ? "" : ": "), c.why.detail);
  }
  VerbOutput out(charset);
  out.console_text("Importadas: " + std::to_string(added) +
                   "; já existentes: "_cp + std::to_string(skipped) +
                   "; recusadas: " + std::to_string(refused) + "\n");
  return finish_output(out, refused == 0 ? 0 : 1);
}
