// Main menus 7 and 8: putting a copy back in place of the store.
#include "console.h"
#include "copies.h"
#include "cp850.h"
#include "data_files.h"
#include "file_errors.h"
#include "file_io.h"

namespace {

/// Asks, then puts a copy of `source` in the store's place in one step (the source stays
/// where it is) and offers a new backup copy.
void restore_from(const char* source, const char* question) {
  console::out(question);
  char answer = console::read_next_char();
  FileIn copy(source, FileIn::Mode::kRead, links_at(source));
  if (!copy.ok()) {
    console::out("Não existe nenhuma versão anterior da base de dados.\n\n"_cp);
    return;
  }
  if (!console::is_yes(answer)) {
    console::out("\n\nO ficheiro não foi recuperado.\n"_cp);
    console::wait();
    return;
  }
  if (!copy_whole(copy, source, kStoreFile, kStoreScratch)) {
    cannot_change_file(kStoreFile);
    console::wait();
    return;
  }
  console::out("\n\nFicheiro recuperado!\n\n\n");
  console::wait();
  make_copy();
}

}  // namespace

void recover_copy() {
  restore_from(kBackupCopy, "Deseja recuperar o original apartir da cópia? (S/N)\n\nOpção: "_cp);
}

void urgent_recovery() {
  restore_from(
      kSafetyCopy,
      "Deseja recuperar a última versão válida do ficheiro de citações? (S/N)\n\nOpção: "_cp);
}
