// End-to-end: an entry deleted and added again in one run ends in the added list only.
#include "adding.h"

namespace talvo_test {
namespace {

class AddJournalTest : public SessionTest {};

/// Main menu 3 deleting the first entry that holds `search` (letter case kept).
std::string deleting(const std::string& search) {
  return "3\n" + search + "\n1\nn\n\nS\n\n2\n";
}

/// What that deletion prints when it finds and removes `quote` by `author`.
std::string deletion_screens(const std::string& quote, const std::string& author) {
  return "Procurar: Número de entrada: \nSem distinção de maiúsculas e minúsculas? (S/N) "_cp +
         kCls + "\n\n\nEntrada:\n \tCitação: "_cp + quote + "\n\n \tAutor: " + author +
         "\n\n\n_____________________________________\n\n"
         "\n\nQuer realmente eliminar esta entrada? (S/N) "
         "\n\nEntrada eliminada com sucesso.\n\n" +
         continuation_screen();
}

TEST_F(AddJournalTest, AddingADeletedEntryStrikesItFromTheDeletedList) {
  dir.write("citas.txt", added_layout({{"\"Um.\"", "A"}, {"\"Dois.\"", "B"}}));
  Outcome r = run(deleting("Um") + "1\n" + typed("\"Um.\"", "A", "S") + "\n2\n5\n\n0\n");
  EXPECT_EQ(r.status, 0);
  // Only the added list is reported: the deleted one is empty and its counter back at 0.
  EXPECT_EQ(r.out,
            menu_screen() + deletion_screens("\"Um.\"", "A") + menu_screen() +
                adding_pass("\"Um.\"", "A", kAddedLine) + continuation_screen() +
                menu_screen() + kCls +
                "\n\tHistória da sessão actual\n\n\n\nEntradas adicionadas..."
                "\n\n\t1) \n\t\tEntrada: \"Um.\"\n\t\tAutor: A\n\nFoi listada 1 entrada.\n"_cp +
                kCls +
                "\n\n\t0)Sair do programa\n\t1)Retornar ao menu anterior\n\n"
                "\t2)Deseja recuperar alguma citação eliminada?\n"
                "\t3)Eliminar alguma citação adicionada?\n\n\nOpção: "_cp);
  EXPECT_EQ(dir.read("citas.txt"), kHeader + "\n\n\"Dois.\"\nB\n\n\"Um.\"\nA\n");
  EXPECT_EQ(dir.read("tempcopy.dat"), copy_layout({{"\"Dois.\"", "B"}, {"\"Um.\"", "A"}}));
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

}  // namespace
}  // namespace talvo_test
