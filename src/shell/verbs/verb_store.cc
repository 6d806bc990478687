// What every verb that reads the store says when the store or the output fails it, and
// the store read for additions.
#include <cerrno>

#include "cp850.h"
#include "data_files.h"
#include "store_additions.h"
#include "verbs.h"

namespace {

/// Says on standard error that the store stands but cannot be opened.
void cannot_open_store(Charset charset) {
  say_error(charset, "Erro: Impossibilidade em abrir o ficheiro ", kStoreFile);
}

}  // namespace

bool store_opened(const FileIn& store, Charset charset) {
  if (store.ok()) return true;
  // The store comes into being at the first addition: no store is no collection yet.
  if (!name_taken(kStoreFile))  // a dangling link is a name that stands
    say_error(charset, "Erro: Não há colecção nesta pasta: falta o ficheiro "_cp, kStoreFile);
  else cannot_open_store(charset);
  return false;
}

int open_store(StoreAdditions& store, Charset charset) {
  put_back_set_aside_store(kStoreFile);
  switch (store.open()) {
    case StoreAdditions::Opened::kReady: return 0;
    case StoreAdditions::Opened::kNotOpened: cannot_open_store(charset); return 2;
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
