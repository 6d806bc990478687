// Adding one entry to the store through the one append, and journalling it.
#include <cstring>

#include "console.h"
#include "cp850.h"
#include "data_files.h"
#include "encoding.h"
#include "file_errors.h"
#include "file_snapshot.h"
#include "journal.h"
#include "quote_entry.h"
#include "record_reader.h"
#include "shell.h"
#include "store.h"

bool add_entry(char* quote, char* author) {
  console::flushin();
  char checked[kQuoteSize];
  std::strncpy(checked, quote, sizeof checked - 1);
  checked[sizeof checked - 1] = '\0';
  transl_c2f(checked, static_cast<int>(kQuoteSize));
  if (!reads_back_whole(checked)) {
    console::out(
        "\nErro: Citação inválida: escreva-a entre aspas, só com letras, algarismos,\n"
        "espaços e os sinais ! ' , . : ; ? ( ) - / [ ]\n\n"_cp);
    return false;
  }
  // A character whose byte the file would give back as another letter is never stored.
  if (!reads_back_as_typed(quote)) {
    console::out(
        "\nErro: Citação inválida: tem um carácter que o ficheiro não pode guardar.\n\n"_cp);
    return false;
  }
  if (!reads_back_as_typed(author)) {
    console::out("\nErro: Autor inválido: tem um carácter que o ficheiro não pode guardar.\n\n"_cp);
    return false;
  }
  file_exists(kStoreFile);
  // What the store was, to put it back when the addition cannot be journalled.
  FileSnapshot before(kStoreFile);
  transl_c2f(quote, static_cast<int>(kQuoteSize));
  transl_c2f(author, static_cast<int>(kAuthorSize));
  const Appended appended =
      append_entries(kStoreFile, [&](FileOut& store) { store.put_entry(quote, author); });
  if (appended == Appended::kNotOpened) cannot_open_file(Opening::kSameLine);
  if (appended != Appended::kDone || !add_entryH(kAddedJournal, quote, author)) {
    // An entry reported as not added must not stay in the store, nor one that the
    // history could not undo.
    if (appended == Appended::kDone) before.restore(kStoreScratch);
    console::out("Erro: A entrada não foi adicionada.\n\n"_cp);
    exit_program(-1);
  }
  if (Ndele > 0) delete_entryH(kDeletedJournal, quote, author);
  console::out("\nEstado: Entrada adicionada com sucesso\n\n");
  return true;
}
