// adicionar: one entry from the arguments, checked as importar checks one and added
// through the store's one rewrite, under the collection's lock.
#include <string>

#include "collection_lock.h"
#include "cp850.h"
#include "incoming_entry.h"
#include "store_additions.h"
#include "verbs.h"

int add_verb(const CommandLine& line, Charset charset) {
  CollectionLock lock;
  if (lock.refused()) {
    say_error(charset, kCollectionBusy);
    return 2;
  }
  // A quotation pasted from elsewhere may end its lines in CR LF, as a file may.
  std::string quote = line.quote;
  for (std::size_t at; (at = quote.find("\r\n")) != std::string::npos;) quote.erase(at, 1);
  StoredForm entry;
  const Refusal why = take_entry(quote, line.author, charset, charset, entry);
  if (why.refused()) {
    say_error(charset, "Entrada recusada: " + why.said(), why.detail);
    return 1;
  }
  StoreAdditions store;
  if (int status = open_store(store, charset); status != 0) return status;
  VerbOutput out(charset);
  if (!store.add(entry)) {
    out.console_text("A entrada já existe.\n"_cp);
    return finish_output(out, 1);
  }
  if (!store.ready() || !store.commit()) {
    say_error(charset, "Erro: A colecção não foi alterada."_cp);
    return 2;
  }
  out.console_text("Entrada adicionada.\n");
  return finish_output(out, 0);
}
