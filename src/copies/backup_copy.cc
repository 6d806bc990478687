// Main menu 6: the dated backup copy of the store.

#include <cstring>
#include <ctime>

#include "console.h"
#include "copies.h"
#include "cp850.h"
#include "data_files.h"
#include "file_errors.h"
#include "local_date.h"
#include "scan.h"
#include "shell.h"

namespace {

/// The date text buffer: the stamp's first line, cut to fit, or "Nunca".
constexpr std::size_t kDateSize = 30;

/// The first line of the stamp file, or "Nunca" when there is none or it is empty.
void last_copy_date(char* date) {
  FileIn stamp(kBackupStamp, FileIn::Mode::kRead, links_at(kBackupStamp));
  std::size_t n = stamp.ok() ? scan::take_until(stamp, date, kDateSize - 1, '\n') : 0;
  date[n] = '\0';
  if (n == 0) std::strcpy(date, "Nunca");
}

/// The stamp file, made ready (as a scratch file) before the copy is made and put in
/// place only once the copy is whole: it records the date of the last backup copy that
/// exists. When the copy fails, the stamp keeps what it held.
class Stamp {
 public:
  Stamp() : file_(kBackupStamp, kStampScratch) {
    if (!file_.ok()) {
      console::out("Erro na abertura do ficheiro auxiliar\n");
      exit_program(-1);
    }
  }

  /// Records `when` as the date of the last copy: the 24-character local time, a newline
  /// and an empty line.
  void record(std::time_t when) {
    char text[64];
    if (local_date_text(when, text, sizeof text)) file_.out().put(text);
    file_.out().put("\n");
    file_.commit();
  }

 private:
  Rewrite file_;
};

/// Writes the backup copy, byte for byte, from the store; the old copy is replaced only
/// by a whole one. Whether it was.
bool write_backup() {
  console::out("\n\nA preparar para criar cópia do original."_cp);
  FileIn store(kStoreFile);
  if (!store.ok()) cannot_open_file(Opening::kNewLine);
  Rewrite copy = copy_rewrite(kStoreFile, kBackupCopy, kCopyScratch);
  if (!copy.ok()) cannot_open_file(Opening::kNewLine);
  console::out("\n\nA fazer cópia."_cp);
  if (copy_into(store, copy)) {
    console::out("\n\nCópia criada!\n\n"_cp);
    return true;
  }
  cannot_change_file(kBackupCopy);
  return false;
}

}  // namespace

void make_copy() {
  console::clear_screen();
  char date[kDateSize];
  last_copy_date(date);
  console::outf(
      "Data da última cópia: %s\n\nDeseja criar uma nova cópia de segurança do ficheiro de "
      "citações?(S/N)\n\n\nop: "_cp,
      date);
  if (console::is_yes(console::read_next_char())) {
    const std::time_t started = std::time(nullptr);
    Stamp stamp;
    if (write_backup()) stamp.record(started);
  } else {
    console::out("\n\nCópia cancelada.\n\n"_cp);
  }
  console::wait();
  console::wait();
}
