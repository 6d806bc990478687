// End-to-end: the adding dialogue of main menu 1, from typing to the store's bytes.
#include "adding.h"

namespace talvo_test {
namespace {

class AddEntryTest : public SessionTest {};

TEST_F(AddEntryTest, OneEntryIsShownConfirmedAndAppended) {
  Outcome r = run("1\n" + typed("\"Um.\"", "Autor", "S") + "\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + adding_pass("\"Um.\"", "Autor", kAddedLine) +
                       continuation_screen());
  EXPECT_EQ(dir.read("citas.txt"), kHeader + "\n\"Um.\"\nAutor\n");
  EXPECT_EQ(dir.read("tempcopy.dat"), kHeader + "\n\"Um.\"\nAutor\n");
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST_F(AddEntryTest, AccentedQuotationTypedInTheConsoleCodePageIsStoredInLatin1) {
  Outcome r = run("1\n\"A\x87\xc6o\"\nAutor\nS\n\n2\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + adding_pass("\"A\x87\xc6o\"", "Autor", kAddedLine) +
                       continuation_screen() + menu_screen());
  EXPECT_EQ(dir.read("citas.txt"), kHeader + "\n\"A\xe7\xe3o\"\nAutor\n");
  EXPECT_EQ(dir.read("tempcopy.dat"), kHeader + "\n\"A\xe7\xe3o\"\nAutor\n");
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST_F(AddEntryTest, QuotationOverTwoLinesIsStoredAndReadBackWhole) {
  const std::string quote = "\"Linha um,\nlinha dois.\"";
  Outcome r = run("1\n" + typed(quote, "Autor", "s") + "\n2\n9\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + adding_pass(quote, "Autor", kAddedLine) +
                       continuation_screen() + menu_screen() +
                       count_line(1) + menu_screen());
  EXPECT_EQ(dir.read("citas.txt"), kHeader + "\n" + quote + "\nAutor\n");
  EXPECT_EQ(dir.read("tempcopy.dat"), kHeader + "\n" + quote + "\nAutor\n");
}

TEST_F(AddEntryTest, DeclinedEntryWritesNoFileAtAll) {
  // The wait after a no takes the newline that ended the answer.
  Outcome r = run("1\n" + typed("\"Um.\"", "Autor", "n") + "2\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + adding_pass("\"Um.\"", "Autor", kNotAddedLine) +
                       continuation_screen() + menu_screen());
  EXPECT_EQ(dir.listing(), "");

  dir.write("citas.txt", kHeader);
  r = run("1\n" + typed("\"Um.\"", "Autor", "x") + "0\n");
  EXPECT_EQ(r.out, menu_screen() + adding_pass("\"Um.\"", "Autor", kNotAddedLine) +
                       continuation_screen());
  EXPECT_EQ(dir.read("citas.txt"), kHeader);
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST_F(AddEntryTest, AuthorAnswerSkipsBlankLinesAndLeadingBlanks) {
  Outcome r = run("1\n\"Um.\"\n   \n\t\n\n  Autor Dois \nS\n\n0\n");
  EXPECT_EQ(r.out, menu_screen() + adding_pass("\"Um.\"", "Autor Dois ", kAddedLine) +
                       continuation_screen());
  EXPECT_EQ(dir.read("citas.txt"), kHeader + "\n\"Um.\"\nAutor Dois \n");
}

TEST_F(AddEntryTest, RepeatingAddsSeveralEntriesAndDuplicatesAreKept) {
  // After 1 at the prompt, the rest of that answer line is discarded before the next
  // quotation is read.
  Outcome r = run("1\n" + typed("\"Um.\"", "A", "S") + "\n1 resto\n" +
                  typed("\"Dois.\"", "B", "S") + "\n1\n" + typed("\"Um.\"", "A", "S") +
                  "\n2\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + adding_pass("\"Um.\"", "A", kAddedLine) +
                       continuation_screen() + adding_pass("\"Dois.\"", "B", kAddedLine) +
                       continuation_screen() + adding_pass("\"Um.\"", "A", kAddedLine) +
                       continuation_screen() + menu_screen());
  EXPECT_EQ(dir.read("citas.txt"),
            added_layout({{"\"Um.\"", "A"}, {"\"Dois.\"", "B"}, {"\"Um.\"", "A"}}));
  EXPECT_EQ(dir.read("tempcopy.dat"), dir.read("citas.txt"));
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST_F(AddEntryTest, AppendsToEveryStoreLayout) {
  // A store as earlier versions rewrote it for a deletion, and one restored from an earlier
  // version's copy (no final newline).
  dir.write("citas.txt", kHeader + "\n\n\"Um.\"\nA\n");
  run("1\n" + typed("\"Dois.\"", "B", "S") + "\n0\n");
  EXPECT_EQ(dir.read("citas.txt"), kHeader + "\n\n\"Um.\"\nA\n\n\"Dois.\"\nB\n");
  EXPECT_EQ(dir.read("tempcopy.dat"), kHeader + "\n\n\"Um.\"\nA\n\n\"Dois.\"\nB\n");

  dir.write("citas.txt", copy_layout({{"\"Um.\"", "A"}}));
  run("1\n" + typed("\"Dois.\"", "B", "S") + "\n0\n");
  EXPECT_EQ(dir.read("citas.txt"), kHeader + "\n\n\"Um.\"\nA\n\"Dois.\"\nB\n");
  EXPECT_EQ(dir.read("tempcopy.dat"), kHeader + "\n\n\"Um.\"\nA\n\"Dois.\"\nB\n");
}

}  // namespace
}  // namespace talvo_test
