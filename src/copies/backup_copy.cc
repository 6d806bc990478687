// Main menu 6: the dated backup copy of the store.
#include <cstring>
#include <ctime>

#include "console.h"
#include "copies.h"
#include "cp850.h"
#include "data_files.h"
#include "file_errors.h"
#include "local_date.h"
#include "search.h"
#include "shell.h"
#include "store.h"

namespace {

/// The date text buffer: the stamp's first line, cut to fit, or "Nunca".
constexpr std::size_t kDateSize = 30;

/// The first line of the stamp file, or "Nunca" when there is none or it is empty.
void last_copy_date(char* date) {
  FileIn stamp(kBackupStamp);
  std::size_t n = stamp.ok() ? scan::take_until(stamp, date, kDateSize - 1, '\n', nullptr) : 0;
  date[n] = '\0';
  if (n == 0) std::strcpy(date, "Nunca");
}

/// Records now as the date of the last copy: the 24-character local time, a newline and
/// an empty line.
void write_stamp() {
  std::time_t now = std::time(nullptr);
  char text[64];
  FileOut stamp(kBackupStamp, FileOut::Mode::kTruncate);
  if (!stamp.ok()) {
    console::out("Erro na abertura do ficheiro auxiliar\n");
    exit_program(-1);
  }
  if (local_date_text(now, text, sizeof text)) stamp.put(text);
  stamp.put("\n");
  stamp.sync();
}

/// Writes the backup copy from the store; the old copy is replaced only by a whole one.
void write_backup() {
  console::out("\n\nA preparar para criar cópia do original."_cp);
  FileIn store(kStoreFile);
  if (!store.ok()) cannot_open_file(Opening::kNewLine);
  Rewrite copy(kBackupCopy, kCopyScratch);
  if (!copy.ok()) cannot_open_file(Opening::kNewLine);
  console::out("\n\nA fazer cópia."_cp);
  write_copy(store, copy.out());
  if (copy.commit())
    console::out("\n\nCópia criada!\n\n"_cp);
  else
    cannot_change_file(kBackupCopy);
}

}  // namespace

void make_copy() {
  console::clear_screen();
  char date[kDateSize];
  last_copy_date(date);
  console::outf(
      "Data da última cópia: %s\n\nDeseja criar uma nova cópia de seguranç%c do ficheiro de "
      "citaçõ%s?(S/N)\n\n\nop: "_cp,
      date, 'a', "es");
  if (is_yes(console::read_next_char())) {
    write_stamp();
    write_backup();
  } else {
    console::out("\n\nCópia cancelada.\n\n"_cp);
  }
  console::wait();
  console::wait();
}
