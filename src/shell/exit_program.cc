// The orderly end: journals removed, safety copy refreshed on a clean end.
#include <cstdio>
#include <cstdlib>

#include "console.h"
#include "data_files.h"
#include "shell.h"
#include "store.h"

namespace {

/// Writes the safety copy afresh from the store. With no readable store the old copy is
/// kept (it may be the only one left); the new one takes its name only once it is whole.
void create_tempcopy() {
  FileIn store(kStoreFile);
  if (!store.ok()) return;
  Rewrite copy(kSafetyCopy, kCopyScratch);
  if (copy.ok()) write_copy(store, copy.out());
  if (!copy.ok() || !copy.commit())
    console::out("ERRO: Incapaz de remover o ficheiro de backup temporario");
}

}  // namespace

void exit_program(int status) {
  std::remove(kAddedJournal);
  std::remove(kDeletedJournal);
  if (status == 0) create_tempcopy();
  console::flush();
  std::exit(status);
}
