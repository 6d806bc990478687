// End-to-end: the adding dialogue when the input ends, and 0 at its continuation prompt.
#include "adding.h"

namespace talvo_test {
namespace {

/// A screen as printed up to the read that met the end: without its closing clear.
std::string until_read(const std::string& screen) {
  return screen.substr(0, screen.size() - kCls.size());
}

class AddSessionEndTest : public SessionTest {};

TEST_F(AddSessionEndTest, EndOfInputBeforeTheConfirmationAddsNothing) {
  const std::string store = kHeader + "\n\"Um.\"\nA\n";
  const std::string quote_prompt = "\n\nIntroduza citação: "_cp;
  const std::string questions = until_read(add_questions());
  struct Case {
    const char* what;
    std::string input, out;
  } cases[] = {
      {"at the quotation", "1\n", menu_screen() + quote_prompt},
      {"at the author", "1\n\"Dois.\"\n\n  \n", menu_screen() + questions},
      {"inside the quotation", "1\n\"Dois", menu_screen() + questions},
      {"at the confirmation", "1\n\"Dois.\"\nB\n \n",
       menu_screen() + add_questions() + confirmation("\"Dois.\"", "B")},
      {"at the wait after a no", "1\n\"Dois.\"\nB\nn",
       menu_screen() + adding_pass("\"Dois.\"", "B", kNotAddedLine)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    dir.write("citas.txt", store);
    dir.write("added.dat", "\n\"Velha.\"\nX\n");  // left by a run that was killed
    Outcome r = run(c.input);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(dir.read("citas.txt"), store);
    EXPECT_EQ(dir.read("tempcopy.dat"), store);
    EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
  }
}

TEST_F(AddSessionEndTest, EndOfInputAfterTheAdditionKeepsItAndEndsCleanly) {
  Outcome r = run("1\n" + typed("\"Um.\"", "A", "S"));
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + adding_pass("\"Um.\"", "A", kAddedLine));
  EXPECT_EQ(dir.read("citas.txt"), kHeader + "\n\"Um.\"\nA\n");
  EXPECT_EQ(dir.read("tempcopy.dat"), kHeader + "\n\"Um.\"\nA\n");
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");

  ScratchDir other;
  r = run_talvo(other, "1\n" + typed("\"Um.\"", "A", "S") + "\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + adding_pass("\"Um.\"", "A", kAddedLine) +
                       until_read(continuation_screen()));
  EXPECT_EQ(other.read("citas.txt"), kHeader + "\n\"Um.\"\nA\n");
  EXPECT_EQ(other.read("tempcopy.dat"), kHeader + "\n\"Um.\"\nA\n");
  EXPECT_EQ(other.listing(), "citas.txt tempcopy.dat");
}

TEST_F(AddSessionEndTest, ZeroAtTheContinuationPromptEndsLikeOptionZero) {
  const std::string adding = "1\n" + typed("\"Um.\"", "A", "S") + "\n";
  Outcome at_prompt = run(adding + "0\n");
  ScratchDir other;
  Outcome at_menu = run_talvo(other, adding + "2\n0\n");
  EXPECT_EQ(at_prompt.status, 0);
  EXPECT_EQ(at_menu.status, 0);
  EXPECT_EQ(at_prompt.out,
            menu_screen() + adding_pass("\"Um.\"", "A", kAddedLine) + continuation_screen());
  EXPECT_EQ(at_menu.out, at_prompt.out + menu_screen());
  EXPECT_EQ(dir.read("tempcopy.dat"), kHeader + "\n\"Um.\"\nA\n");
  EXPECT_EQ(other.read("tempcopy.dat"), dir.read("tempcopy.dat"));
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
  EXPECT_EQ(other.listing(), dir.listing());
}

TEST_F(AddSessionEndTest, OtherAnswersAtThePromptGoBackToTheMenu) {
  // A number other than 0 and 1, or no number at all: back to the main menu.
  Outcome r = run("1\n" + typed("\"Um.\"", "A", "n") + "7\n1\n" + typed("\"Dois.\"", "B", "n") +
                  "nada\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + adding_pass("\"Um.\"", "A", kNotAddedLine) +
                       continuation_screen() + menu_screen() +
                       adding_pass("\"Dois.\"", "B", kNotAddedLine) + continuation_screen() +
                       menu_screen());
  EXPECT_EQ(dir.listing(), "");
}

}  // namespace
}  // namespace talvo_test
