// What every verb that reads the store says when the store or the output fails it, and
// the store read for additions.
#include <cerrno>

#include "cp850.h"
#include "data_files.h"
#include "store_additions.h"
#include "verbs.h"

bool store_opened(const FileIn& store, Charset charset) {
  if (store.ok()) return true;
  // The store comes into being at the first addition: no store is no collection yet.
  if (!name_taken(kStoreFile))  // a dangling link is a name that stands
    say_error(charset, "Erro: Não há colecção nesta pasta: falta o ficheiro "_cp, kStoreFile);
  else say_error(charset, "Erro: Impossibilidade em abrir o ficheiro ", kStoreFile);
  return false;
}

int open_store(StoreAdditions& store, Charset charset) {
  put_back_set_aside_store(kStoreFile);
  // A name that stands but cannot be opened (a dangling link) is no new collection:
  // nothing is created through it.
  if (FileIn held(kStoreFile); !held.ok() && name_taken(kStoreFile)) {
    store_opened(held, charset);
    return 2;
  }
  switch (store.open()) {
    case StoreAdditions::Opened::kReady: return 0;
    case StoreAdditions::Opened::kFailed: return store_read_failed(charset);
    case StoreAdditions::Opened::kCutShort: break;
  }
  say_error(charset, "Erro: A colecção termina numa entrada incompleta (linha "_cp +
                         std::to_string(store.cut_line()) + "); corrija-a antes de importar.");
  return 2;
}

int store_read_failed(Charset charset) {
  say_error(charset, "Erro: Impossibilidade em ler o ficheiro ", kStoreFile);
  return 2;
}

int finish_output(VerbOutput& out, int status) {
  if (out.flush()) return status;
  // A reader that has gone (`talvo exportar | head`) wanted no more: not a failure.
  if (out.error() == EPIPE) return status;
  say_error(out.charset(), kCannotWriteOutput);
  return 2;
}
