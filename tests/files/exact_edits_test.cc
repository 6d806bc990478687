// End-to-end: edits change only what the user chose. Deletions keep every other byte of a
// hand-edited store, a replace that does not add puts everything back, copies and
// restores are exact, and a failed journal write undoes the store change.
#include <sys/stat.h>
#include <unistd.h>

#include "entries.h"
#include "file_cases.h"

namespace files_test {
namespace {

using namespace talvo_test;
using namespace std::string_literals;

const TypedEntry kAlfa = plain("\"Alfa.\"", "Aa"), kBeta = plain("\"Beta.\"", "Bb"),
                 kGama = plain("\"Gama.\"", "Gg");
const std::string kAlfaBytes = "\"Alfa.\"\nAa\n";
/// An entry another program wrote, its author with ISO-8859-1's ä, which the menu shows as
/// code page 850's õ (the same byte) and would write as ISO-8859-1's õ.
const TypedEntry kLatinA{"\"Xa.\"", "M\xE4", "\"Xa.\"", "M\xE4"};

/// A store a text editor wrote: bytes the record reader does not admit, UTF-8 letters,
/// a NUL, 0xFF, a quotation over 1997 bytes, an author over 49 bytes, an author with
/// leading blanks, an empty author line, and a last quotation that never closes.
const std::string kHand = kHeader + "\n\"50% @ certo.\"\nAutor\n\n\"Caf\xC3\xA9 com \xFF.\"\nUtf\n\n" +
                          "\"Nul \0 aqui.\"\nZero\n"s + kAlfaBytes + "\n\"" + std::string(2100, 'x') +
                          "\"\nLongo\n\"Curta.\"\n" + std::string(60, 'N') +
                          "\n\"Branco.\"\n   Com brancos\n\"Sem autor.\"\n\n" + "\"Beta.\"\nBb\n" +
                          "\n\"Sem fim";
/// The same less the entry Alfa and the empty line after it.
const std::string kHandLessAlfa = [] {
  std::string s = kHand;
  return s.erase(s.find(kAlfaBytes), kAlfaBytes.size() + 1);
}();

const std::string kMantida = "\nA entrada original foi mantida.\n"_cp;
const std::string kReplaceAlfa = "4\nAlfa\n1\nN\n\ns\n";
/// What the history report shows after the journals got Cantar added and Beta deleted.
const std::string kJournalsShown = kHistoryTitle + added_list(on_screen({kCantar})) + "\n" +
                                   kCls + deleted_list(on_screen({kBeta})) + "\n" + kCls +
                                   kHistoryMenu;

void hand_store(const ScratchDir& dir) { dir.write("citas.txt", kHand); }

/// The store as it was and its exact safety copy, nothing else.
void hand_store_kept(const ScratchDir& dir) {
  EXPECT_EQ(dir.read("citas.txt"), kHand);
  EXPECT_EQ(dir.read("tempcopy.dat"), kHand);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

/// A store as talvo writes it, for the cases about one entry among others.
std::string stored(const std::vector<TypedEntry>& entries) {
  return added_layout(in_files(entries));
}

/// citas.txt a link to ../real/store.txt holding `bytes`.
void linked_store(const ScratchDir& dir, const std::string& bytes) {
  mkdir((dir.data() + "/../real").c_str(), 0755);
  write_path(dir.data() + "/../real/store.txt", bytes);
  if (symlink("../real/store.txt", (dir.data() + "/citas.txt").c_str()) != 0) FAIL();
}

TEST(ExactEditsTest, EachEditChangesOnlyWhatTheUserChose) {
  const FaultCase cases[] = {
      {.name = "deleting one entry keeps every hand-edited byte; the safety copy is exact",
       .setup = hand_store,
       .input = erase_input("Alfa") + "0\n",
       .out_tail = erase_screens(kAlfa),
       .check = [](const ScratchDir& d) {
         EXPECT_EQ(d.read("citas.txt"), kHandLessAlfa);
         EXPECT_EQ(d.read("tempcopy.dat"), kHandLessAlfa);
       }},
      {.name = "nothing selected: the replace only appends, every byte kept",
       .setup = hand_store,
       .input = "4\nzzz\n1\nN\n\ns\n\"Gama.\"\nGg\nS\n\n0\n",
       .out_tail = kNotInStore + "Adicionar nova entrada...\n\n" + adding_pass(kGama.quote, kGama.author, kAddedLine) +
                   continuation_screen(),
       .check = [](const ScratchDir& d) { EXPECT_EQ(d.read("citas.txt"), kHand + "\n\"Gama.\"\nGg\n"); }},
      {.name = "nothing selected, nothing added: no file changes",
       .setup = hand_store,
       .input = "4\nzzz\n1\nN\n\ns\n\"Gama.\"\nGg\nn\n0\n",
       .check = hand_store_kept},
      {.name = "of two equal entries, the one shown goes",
       .setup = [](const ScratchDir& d) { d.write("citas.txt", stored({kAlfa, kBeta, kAlfa, kGama})); },
       .input = "3\nAlfa\n2\nn\n\nS\n\n0\n",
       .check = [](const ScratchDir& d) { EXPECT_EQ(d.read("citas.txt"), stored({kAlfa, kBeta, kGama})); }},
      {.name = "undoing an addition from the history removes the copy this run appended",
       .setup = [](const ScratchDir& d) { d.write("citas.txt", stored({kAlfa, kBeta})); },
       .input = add_input(kAlfa) + "5\na3\n1\nbc1\n0\n",
       .check = [](const ScratchDir& d) { EXPECT_EQ(d.read("citas.txt"), stored({kAlfa, kBeta})); }},
      {.name = "replace refused as unreadable: store and journals as before",
       .setup = [](const ScratchDir& d) { d.write("citas.txt", stored({kAlfa, kBeta})); },
       .input = add_input(kCantar) + erase_input("Beta") + kReplaceAlfa + "\"Um @ dois.\"\nAutor\nS\n\n2\n5\n\n\n0\n",
       .out_tail = kMantida + continuation_screen() + menu_screen() + kJournalsShown,
       .check = [](const ScratchDir& d) { EXPECT_EQ(d.read("citas.txt"), stored({kAlfa, kCantar})); }},
      {.name = "replace answered no: store and journals as before",
       .setup = [](const ScratchDir& d) { d.write("citas.txt", stored({kAlfa, kBeta})); },
       .input = add_input(kCantar) + erase_input("Beta") + kReplaceAlfa + "\"Gama.\"\nGg\nn\n2\n5\n\n\n0\n",
       .out_tail = adding_pass(kGama.quote, kGama.author, kNotAddedLine) + kMantida +
                   continuation_screen() + menu_screen() + kJournalsShown,
       .check = [](const ScratchDir& d) { EXPECT_EQ(d.read("citas.txt"), stored({kAlfa, kCantar})); }},
      {.name = "replace cut short by the end of input: the store as before, a clean end",
       .setup = hand_store,
       .input = kReplaceAlfa + "\"Gama.\"\nGg\n",
       .out_tail = confirmation(kGama.quote, kGama.author) + kMantida,
       .check = hand_store_kept},
      {.name = "replace whose append fails: the store as before, the failure said",
       .setup = hand_store,
       .input = kReplaceAlfa + "\"Gama.\"\nGg\nS\n\n0\n",
       .env = failing("TALVO_FAIL_WRITE", "citas.txt"),
       .out_tail = confirmation(kGama.quote, kGama.author) + kAppendFailedLine + kMantida,
       .status = 255,
       .check = [](const ScratchDir& d) {
         EXPECT_EQ(d.read("citas.txt"), kHand);
         EXPECT_EQ(d.listing(), "citas.txt");
       }},
      {.name = "a failed journal append undoes the addition",
       .setup = hand_store,
       .input = add_input(kCantar) + "0\n",
       .env = failing("TALVO_FAIL_WRITE", "added.dat"),
       .out_tail = confirmation(kCantar.quote, kCantar.author) + kAppendFailedLine,
       .status = 255,
       .check = [](const ScratchDir& d) { EXPECT_EQ(d.read("citas.txt"), kHand); }},
      {.name = "a failed journal append undoes the deletion",
       .setup = hand_store,
       .input = erase_input("Alfa") + "0\n",
       .env = failing("TALVO_FAIL_WRITE", "deleted.dat"),
       .out_tail = kEraseQuestion + "\n\nErro: A entrada não foi eliminada.\n\n"_cp,
       .status = 255,
       .check = [](const ScratchDir& d) { EXPECT_EQ(d.read("citas.txt"), kHand); }},
      {.name = "a journal that cannot be opened undoes the deletion, and stays as it was",
       .setup = [](const ScratchDir& d) {
         hand_store(d);
         ASSERT_EQ(mkdir((d.data() + "/deleted.dat").c_str(), 0755), 0);
       },
       .input = erase_input("Alfa") + "0\n",
       .out_tail = kEraseQuestion + "\n\nErro: A entrada não foi eliminada.\n\n"_cp,
       .status = 255,
       .check = [](const ScratchDir& d) {
         EXPECT_EQ(d.read("citas.txt"), kHand);
         EXPECT_EQ(d.listing(), "citas.txt deleted.dat");
       }},
      {.name = "a journal that cannot be opened undoes the addition",
       .setup = [](const ScratchDir& d) {
         hand_store(d);
         ASSERT_EQ(mkdir((d.data() + "/added.dat").c_str(), 0755), 0);
       },
       .input = add_input(kCantar) + "0\n",
       .out_tail = confirmation(kCantar.quote, kCantar.author) + kAppendFailedLine,
       .status = 255,
       .check = [](const ScratchDir& d) { EXPECT_EQ(d.read("citas.txt"), kHand); }},
      {.name = "the backup copy is exact and a restore leaves it in place",
       .setup = hand_store,
       .input = "6\nS\n\n" + erase_input("Alfa") + "7\nS\nn\n\n0\n",
       .check = [](const ScratchDir& d) {
         EXPECT_EQ(d.read("copy.dat"), kHand);
         EXPECT_EQ(d.read("citas.txt"), kHand);
         EXPECT_EQ(d.read("tempcopy.dat"), kHand);
         EXPECT_EQ(d.listing(), "auxy.dat citas.txt copy.dat tempcopy.dat");
       }},
      {.name = "a backup that fails leaves no stamp",
       .setup = hand_store,
       .input = "6\nS\n\n0\n",
       .env = failing("TALVO_FAIL_WRITE", "tempcopy.tmp"),
       .check = [](const ScratchDir& d) {
         EXPECT_FALSE(d.exists("auxy.dat"));
         EXPECT_FALSE(d.exists("copy.dat"));
         EXPECT_EQ(d.read("citas.txt"), kHand);
       }},
      {.name = "a safety copy and no store: the store a selection creates never replaces it",
       .setup = [](const ScratchDir& d) { d.write("tempcopy.dat", kHand); },
       .input = "3\nAlfa\n1\nN\n\n0\n",
       .check = [](const ScratchDir& d) {
         EXPECT_TRUE(d.exists("citas.txt"));
         EXPECT_EQ(d.read("tempcopy.dat"), kHand);
       }},
      {.name = "a linked store stays a link through a deletion; its target changes",
       .setup = [](const ScratchDir& d) { linked_store(d, kHand); },
       .input = erase_input("Alfa") + "0\n",
       .check = [](const ScratchDir& d) {
         EXPECT_TRUE(is_link(d, "citas.txt"));
         EXPECT_EQ(read_path(d.data() + "/../real/store.txt"), kHandLessAlfa);
       }},
      {.name = "a linked store stays a link through a restore; the copy stays",
       .setup = [](const ScratchDir& d) {
         linked_store(d, stored({kBeta}));
         d.write("copy.dat", kHand);
       },
       .input = "7\nS\nn\n\n0\n",
       .check = [](const ScratchDir& d) {
         EXPECT_TRUE(is_link(d, "citas.txt"));
         EXPECT_EQ(read_path(d.data() + "/../real/store.txt"), kHand);
         EXPECT_EQ(d.read("copy.dat"), kHand);
       }},
      {.name = "a linked store rewritten in another folder: the user's files there stay",
       .setup = [](const ScratchDir& d) { linked_store(d, kHand), write_path(d.data() + "/../real/tempy.txt", "mine"); },
       .input = erase_input("Alfa") + "0\n",
       .check = [](const ScratchDir& d) {
         EXPECT_EQ(read_path(d.data() + "/../real/store.txt"), kHandLessAlfa);
         EXPECT_EQ(read_path(d.data() + "/../real/tempy.txt"), "mine");
       }},
      {.name = "a store removed at the menu: the store an addition makes keeps off the safety copy",
       .setup = [](const ScratchDir& d) { hand_store(d), d.write("tempcopy.dat", kHand); },
       .input = add_input(kCantar) + "0\n",
       .check = [](const ScratchDir& d) { EXPECT_EQ(d.read("tempcopy.dat"), kHand); },
       // The first clear of the screen, with the menu up, removes the store.
       .script = "mkdir ../t && printf '#!/bin/sh\\nrm citas.txt ../t/cls' >../t/cls && chmod +x ../t/cls && "
                 "PATH=\"$PWD/../t:$PATH\" \"$TALVO\""},
      {.name = "a replace whose deletion fails asks for no new entry; the original kept",
       .setup = hand_store,
       .input = kReplaceAlfa + "0\n",
       .env = failing("TALVO_FAIL_RENAME", "citas.txt"),
       .out_tail = "não pode ser alterado.\n\n"_cp + kMantida +
                   continuation_screen().substr(0, continuation_screen().size() - kCls.size()),
       .check = hand_store_kept},
      {.name = "a deletion journals the text shown, so the history's restore strikes it",
       .setup = [](const ScratchDir& d) { d.write("citas.txt", stored({kLatinA, kBeta})); },
       .input = erase_input("Xa") + "5\n\n2\n1\n\n0\n",
       .out_tail = kHistoryTitle + added_list(on_screen({kLatinA})) + "\n" + kCls + kHistoryMenu},
  };
  for (const FaultCase& c : cases) run_case(c);
}

}  // namespace
}  // namespace files_test
