// End-to-end: ordinary events around the files (read errors, a directory or an unreadable
// file in the store's place, a closed or vanished output, links, private files, a stray
// cls) lose nothing and are reported truthfully.
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "entries.h"
#include "file_cases.h"

namespace files_test {
namespace {

using namespace talvo_test;

const Entry kAlfa{"\"Alfa.\"", "Aa"}, kBeta{"\"Beta.\"", "Bb"};
const std::string kStore = added_layout({kAlfa, kBeta});
const std::string kOldCopy = copy_layout({kAlfa});
const std::string kStamp = "Mon Jan  5 10:00:00 2026\n\n";
const std::string kCannotChange = "\n\nErro: O ficheiro citas.txt não pode ser alterado.\n\n"_cp;
const std::string kSafetyCopyFailed = "ERRO: Incapaz de remover o ficheiro de backup temporario";
const std::string kCannotRead = "\nErro: Impossibilidade em ler o ficheiro citas.txt\n"_cp;
const std::string kCannotWrite = "Erro: Impossibilidade em escrever na saída\n"_cp;

/// The store alone.
void store_only(const ScratchDir& dir) { dir.write("citas.txt", kStore); }

/// A directory in the store's place, and an older safety copy.
void directory_store(const ScratchDir& dir) {
  mkdir((dir.data() + "/citas.txt").c_str(), 0755);
  dir.write("tempcopy.dat", kOldCopy);
}

/// The store, and an executable `cls` of the collection's own that leaves a mark.
void stray_cls(const ScratchDir& dir) {
  dir.write("citas.txt", kStore);
  dir.write("cls", "#!/bin/sh\ntouch cls-ran\nprintf '[CLS]'\n");
  chmod((dir.data() + "/cls").c_str(), 0755);
}

/// The older safety copy kept, alone beside the store.
void copy_kept_alone(const ScratchDir& dir) {
  EXPECT_EQ(dir.read("tempcopy.dat"), kOldCopy);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

/// The store and an older safety copy.
void store_and_copy(const ScratchDir& dir) {
  dir.write("citas.txt", kStore);
  dir.write("tempcopy.dat", kOldCopy);
}

/// The files of a clean end: the store as it was and its exact safety copy.
void clean_end(const ScratchDir& dir) {
  EXPECT_EQ(dir.read("citas.txt"), kStore);
  EXPECT_EQ(dir.read("tempcopy.dat"), kStore);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

/// Nothing changed: the store and the older safety copy as they were.
void untouched(const ScratchDir& dir) {
  EXPECT_EQ(dir.read("citas.txt"), kStore);
  EXPECT_EQ(dir.read("tempcopy.dat"), kOldCopy);
}

void run_as_nobody_setup(const ScratchDir& dir) {
  dir.write("citas.txt", kStore);
  chmod((dir.data() + "/..").c_str(), 0755);
  chmod(dir.data().c_str(), 0777);
  chmod((dir.data() + "/citas.txt").c_str(), 0222);
}

TEST(FileFaultsTest, EachFaultLosesNothingAndSaysTheTruth) {
  const std::string nobody = "setpriv --reuid=65534 --regid=65534 --clear-groups \"$TALVO\"";
  const FaultCase cases[] = {
      {.name = "read error while a deletion copies the store: abandoned, old files kept",
       .setup = store_and_copy,
       .input = erase_input("Alfa") + "0\n",
       .env = failing("TALVO_FAIL_COPY", "citas.txt"),
       .out_tail = kCannotChange + continuation_screen() + menu_screen() + kSafetyCopyFailed,
       .check = untouched},
      {.name = "read error while the backup copies the store: no copy, stamp kept",
       .setup = [](const ScratchDir& d) { store_and_copy(d), d.write("auxy.dat", kStamp); },
       .input = "6\nS\n\n0\n",
       .env = failing("TALVO_FAIL_COPY", "citas.txt"),
       .check = [](const ScratchDir& d) {
         untouched(d);
         EXPECT_EQ(d.read("auxy.dat"), kStamp);
         EXPECT_FALSE(d.exists("copy.dat"));
         EXPECT_EQ(d.listing(), "auxy.dat citas.txt tempcopy.dat");
       }},
      {.name = "read error in a listing: fatal, journals gone, safety copy kept",
       .setup = store_and_copy,
       .input = add_input(kCantar) + "2\nAlfa\nN\n\n0\n",
       .env = failing("TALVO_FAIL_READ", "citas.txt"),
       .out_tail = kCannotRead,
       .status = 255,
       .check = copy_kept_alone},
      {.name = "a directory as the store: the clean end keeps the safety copy",
       .setup = directory_store,
       .input = "0\n",
       .out_tail = menu_screen() + kSafetyCopyFailed,
       .check = copy_kept_alone},
      {.name = "a directory as the store: a listing cannot read it",
       .setup = directory_store,
       .input = "2\nAlfa\nN\n\n0\n",
       .out_tail = kCannotRead,
       .status = 255,
       .check = [](const ScratchDir& d) { EXPECT_EQ(d.read("tempcopy.dat"), kOldCopy); },
       .out_lacks = "Lista de resultados"},
      {.name = "closed standard output: the count never lands in the store",
       .setup = store_only,
       .input = "9\n\n0\n",
       .check = clean_end,
       .script = "\"$TALVO\" >&-"},
      {.name = "a reader that closes the output: a clean end, not SIGPIPE",
       .setup = store_only,
       .input = [] {
         std::string counts;
         for (int i = 0; i < 400; ++i) counts += "9\n\n";
         return counts + "0\n";
       }(),
       .out_tail = menu_screen().substr(0, 10),
       .check = clean_end,
       .script = "\"$TALVO\" | head -c 10; exit \"${PIPESTATUS[0]}\""},
      {.name = "a link as the safety copy's scratch file is never followed",
       .setup = [](const ScratchDir& d) {
         d.write("citas.txt", kStore);
         std::ofstream(d.data() + "/../elsewhere") << "outside\n";
         if (symlink("../elsewhere", (d.data() + "/tempcopy.tmp").c_str()) != 0) FAIL();
       },
       .input = "0\n",
       .check = [](const ScratchDir& d) {
         clean_end(d);
         EXPECT_FALSE(is_link(d, "tempcopy.dat"));
         std::ifstream outside(d.data() + "/../elsewhere");
         std::string line;
         std::getline(outside, line);
         EXPECT_EQ(line, "outside");
       }},
      {.name = "a private store and its copies stay private",
       .setup = [](const ScratchDir& d) {
         d.write("citas.txt", kStore);
         chmod((d.data() + "/citas.txt").c_str(), 0600);
       },
       .input = erase_input("Alfa") + "6\nS\n\n0\n",
       .check = [](const ScratchDir& d) {
         EXPECT_EQ(d.read("citas.txt"), added_layout({kBeta}));
         for (const char* name : {"citas.txt", "copy.dat", "tempcopy.dat"})
           EXPECT_EQ(mode_of(d, name), 0600) << name;
         EXPECT_EQ(d.read("copy.dat"), added_layout({kBeta}));
       }},
      {.name = "copies never more open than the store, nor than the copy they replace",
       .setup = [](const ScratchDir& d) {
         for (auto [name, bits] : {std::pair{"citas.txt", 0640}, {"copy.dat", 0604}, {"tempcopy.dat", 0644}})
           d.write(name, kStore), chmod((d.data() + "/" + name).c_str(), bits);
       },
       .input = "6\nS\n\n0\n",
       .check = [](const ScratchDir& d) {
         EXPECT_EQ(mode_of(d, "copy.dat"), 0600);
         EXPECT_EQ(mode_of(d, "tempcopy.dat"), 0640);
       }},
      {.name = "links at a journal and at the stamp lead nowhere: the addition undone, the stamp replaced",
       .setup = [](const ScratchDir& d) {
         store_only(d), talvo_test::write_path(d.data() + "/../outside", "outside\n");
         for (const char* name : {"/added.dat", "/auxy.dat"}) EXPECT_EQ(symlink("../outside", (d.data() + name).c_str()), 0);
       },
       .input = "6\nS\n\n" + add_input(kCantar) + "0\n",
       .out_tail = confirmation(kCantar.quote, kCantar.author) + kAppendFailedLine,
       .status = 255,
       .check = [](const ScratchDir& d) {
         EXPECT_EQ(talvo_test::read_path(d.data() + "/../outside"), "outside\n");
         EXPECT_EQ(d.read("citas.txt"), kStore);
         EXPECT_FALSE(is_link(d, "auxy.dat"));
       },
       .out_lacks = "outside"},
      {.name = "a dangling link as the store: neither an addition nor importar creates anything through it",
       .setup = [](const ScratchDir& d) {
         mkdir((d.data() + "/../nowhere").c_str(), 0755);
         EXPECT_EQ(symlink("../nowhere/citas.txt", (d.data() + "/citas.txt").c_str()), 0);
       },
       .input = add_input(kCantar) + "0\n",
       .out_tail = "Erro: Impossibilidade em abrir o ficheiro\nErro: Impossibilidade em abrir o ficheiro citas.txt\n",
       .status = 2,
       .check = [](const ScratchDir& d) { EXPECT_FALSE(talvo_test::read_path(d.data() + "/../nowhere/citas.txt")); },
       .script = "\"$TALVO\"; \"$TALVO\" importar - 2>&1 </dev/null"},
      {.name = "verbs with a closed standard output say so and do nothing",
       .setup = store_only,
       .out_tail = kCannotWrite + "2\n" + kCannotWrite,
       .status = 2,
       .check = [](const ScratchDir& d) { EXPECT_EQ(d.listing(), "citas.txt"); },
       .script = "\"$TALVO\" -V 2>&1 >&-; echo $?; \"$TALVO\" importar - 2>&1 >&-"},
      {.name = "a store that can be written but not read is never recreated",
       .setup = run_as_nobody_setup,
       .input = "3\nAlfa\n1\nN\n\nS\n\n0\n",
       .out_tail = kEditPrompts + "Erro: Impossibilidade em abrir o ficheiro\n",
       .status = 255,
       .check = [](const ScratchDir& d) {
         EXPECT_EQ(d.read("citas.txt"), kStore);
         EXPECT_EQ(mode_of(d, "citas.txt"), 0222);
       },
       .script = nobody},
      {.name = "an addition to a store that cannot be read appends, never empties it",
       .setup = run_as_nobody_setup,
       .input = add_input(kCantar) + "0\n",
       .out_tail = add_screens(kCantar),
       .check = [](const ScratchDir& d) {
         EXPECT_EQ(d.read("citas.txt"), kStore + "\n" + kCantar.fquote + "\n" + kCantar.fauthor + "\n");
         EXPECT_EQ(d.listing(), "citas.txt");
       },
       .script = nobody},
      {.name = "an empty PATH entry never runs the collection's ./cls",
       .setup = stray_cls,
       .input = "9\n\n0\n",
       .out_tail = "Opção: "_cp,
       .check = [](const ScratchDir& d) { EXPECT_FALSE(d.exists("cls-ran")); },
       .path = "/usr/bin:/bin:",
       .out_lacks = "[CLS]"},
      {.name = "a relative PATH entry never runs the collection's ./cls",
       .setup = stray_cls,
       .input = "9\n\n0\n",
       .check = [](const ScratchDir& d) { EXPECT_FALSE(d.exists("cls-ran")); },
       .path = ".:/usr/bin:/bin",
       .out_lacks = "[CLS]"},
  };
  for (const FaultCase& c : cases) {
    if (c.script == nobody && geteuid() != 0) continue;  // only root can become another user
    run_case(c);
  }
}

}  // namespace
}  // namespace files_test
