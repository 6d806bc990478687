// The messages every dialogue gives when a data file cannot be opened or rewritten.
#include "file_errors.h"

#include "console.h"
#include "cp850.h"
#include "shell.h"

void cannot_open_file(Opening opening) {
  if (opening == Opening::kNewLine) console::out("\n");
  console::out("Erro: Impossibilidade em abrir o ficheiro\n");
  exit_program(-1);
}

void cannot_read_file(const char* name) {
  console::outf("\nErro: Impossibilidade em ler o ficheiro %s\n", name);
  exit_program(-1);
}

void cannot_change_file(const char* name) {
  console::outf("\n\nErro: O ficheiro %s não pode ser alterado.\n\n"_cp, name);
}
