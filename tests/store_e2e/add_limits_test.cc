// End-to-end: overlong answers in the adding dialogue are cut to their fields.
#include "adding.h"

namespace talvo_test {
namespace {

/// `size` bytes of a text that shows where it was cut: digits, changing every ten.
std::string numbered_text(std::size_t size) {
  std::string text;
  for (std::size_t i = 0; text.size() < size; ++i) text += std::string(10, char('0' + i % 10));
  return text.substr(0, size);
}

class AddLimitsTest : public SessionTest {};

TEST_F(AddLimitsTest, OverlongAuthorKeepsItsFirst49Bytes) {
  // The rest of the author line is dropped, so the confirmation reads the next line.
  const std::string author = "Autor " + numbered_text(60);
  const std::string kept = author.substr(0, 49);
  Outcome r = run("1\n" + typed("\"Um.\"", author, "S") + "\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + adding_pass("\"Um.\"", kept, kAddedLine) +
                       continuation_screen());
  EXPECT_EQ(dir.read("citas.txt"), kHeader + "\n\"Um.\"\n" + kept + "\n");
}

TEST_F(AddLimitsTest, OverlongQuotationKeepsItsFirst1996BytesOfBody) {
  // The excess, over two lines, is dropped up to the closing quote; so is the text after
  // the quote beyond one byte. The stored quotation is read back whole by the count.
  const std::string body = numbered_text(2100) + "\n" + numbered_text(30);
  const std::string kept = "\"" + body.substr(0, 1996) + "\"";
  Outcome r = run("1\n\"" + body + "\" resto\nAutor\nS\n\n2\n9\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, menu_screen() + adding_pass(kept + " ", "Autor", kAddedLine) +
                       continuation_screen() + menu_screen() +
                       count_line(1) + menu_screen());
  EXPECT_EQ(dir.read("citas.txt"), kHeader + "\n" + kept + " \nAutor\n");
  EXPECT_EQ(dir.read("tempcopy.dat"), kHeader + "\n" + kept + " \nAutor\n");
}

TEST_F(AddLimitsTest, QuotationWithoutItsOpeningQuoteRunsOnToTheNextQuote) {
  // The body read crosses lines until a double quote is typed; the whole is refused.
  Outcome r = run("1\nSem aspas\nainda sem\"\nEu\nS\n\n0\n");
  EXPECT_EQ(r.out, menu_screen() + adding_pass("Sem aspas\nainda sem\"", "Eu", kRefusedLine) +
                       continuation_screen());
  EXPECT_EQ(dir.listing(), "");
}

}  // namespace
}  // namespace talvo_test
