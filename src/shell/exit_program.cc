// The orderly end: journals removed, safety copy refreshed on a clean end.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "console.h"
#include "data_files.h"
#include "file_calls.h"
#include "shell.h"

namespace {

/// Writes the safety copy afresh: a byte-for-byte copy of the store. With no readable
/// store the old copy is kept (it may be the only one left); once the run has found the
/// store missing, the store it then made never takes the place of an existing copy; the
/// new copy takes its name only once it is whole.
void create_tempcopy(bool store_never_missing) {
  if (!store_never_missing && ::access(kSafetyCopy, F_OK) == 0) return;
  FileIn store(kStoreFile);
  if (!store.ok()) return;
  if (!copy_whole(store, kStoreFile, kSafetyCopy, kCopyScratch))
    console::out("ERRO: Incapaz de remover o ficheiro de backup temporario");
}

}  // namespace

void exit_program(int status) { throw ProgramEnd{status}; }

void end_program(int status, bool store_never_missing) {
  // unlink, not remove: a directory that happens to bear a journal's name is not ours.
  file_calls::unlink(kAddedJournal);
  file_calls::unlink(kDeletedJournal);
  try {
    if (status == 0) create_tempcopy(store_never_missing);
    console::flush();
  } catch (const ProgramEnd&) {
    // the reader of the output has gone: there is no one left to tell
  }
  std::exit(status);
}
