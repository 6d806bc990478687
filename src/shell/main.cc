// The entry point: the main menu loop.
#include <unistd.h>

#include "collection_lock.h"
#include "command_line.h"
#include "console.h"
#include "copies.h"
#include "data_files.h"
#include "history.h"
#include "journal.h"
#include "program_arguments.h"
#include "search.h"
#include "shell.h"
#include "store.h"
#include "verbs.h"

namespace {

/// Runs the dialogue of a main menu option; other numbers select nothing.
void run_option(int option) {
  switch (option) {
    case 1: add_entries(); break;
    case 2: list_entries(); break;
    case 3: erase_entry(); break;
    case 4: alter_entry(); break;
    case 5: history(); break;
    case 6: make_copy(); break;
    case 7: recover_copy(); break;
    case 8: urgent_recovery(); break;
    case 9: mem_check(); break;
    case 10: about_author(); break;
    case 11: lookfor_entry(); break;
    default: break;
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  const bool output_closed = prepare_process();
  // With arguments: the folder entered, and a verb, the help or the version run instead
  // of the menu.
  const ProgramArguments arguments(argc, argv);
  if (int status =
          run_arguments(parse_command_line(arguments.count(), arguments.values()), output_closed);
      status != kRunInteractive)
    return status;
  console::setup();
  CollectionLock lock;
  if (lock.refused()) {
    try {
      say_collection_busy();
    } catch (const ProgramEnd&) {
      // nobody reads the output any more: the status says it all
    }
    return 255;
  }
  put_back_set_aside_store(kStoreFile);
  // Once the store has been found missing, whatever store the run then makes never
  // replaces an existing safety copy: that copy may be all that is left of the collection.
  bool store_never_missing = ::access(kStoreFile, F_OK) == 0;
  Nadd = 0;
  Ndele = 0;
  try {
    for (;;) {
      int option = menu();
      console::flushin();
      if (option == 0) exit_program(0);
      if (::access(kStoreFile, F_OK) != 0) store_never_missing = false;
      run_option(option);
    }
  } catch (const ProgramEnd& end) {
    end_program(end.status, store_never_missing);
  }
}
