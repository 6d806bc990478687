// End-to-end: quotations that would not read back whole are refused before any file is
// touched; near misses that do read back are stored.
#include "adding.h"

namespace talvo_test {
namespace {

/// A quotation that the dialogue refuses: shown as typed, nothing written.
struct Refused {
  const char* what;
  std::string line;
};

/// A quotation that is accepted: the line typed, as the dialogue assembles it (first byte,
/// body, at most two bytes of tail) and as the store holds it.
struct Accepted {
  const char* what;
  std::string line, shown, stored;
};

/// Adds one quotation in an empty directory, confirming it, then ends at the prompt.
Outcome add_once(const ScratchDir& dir, const std::string& quote_line) {
  return run_talvo(dir, "1\n" + typed(quote_line, "Eu", "S") + "\n0\n");
}

TEST(AddRefusalTest, QuotationsTheReaderWouldCutAreRefusedAndNothingIsWritten) {
  const std::vector<Refused> refused = {
      {"no opening quote", "Sem aspas.\""},
      {"per-cent sign", "\"Dei 100% de mim.\""},
      {"ampersand", "\"Eu & tu.\""},
      {"plus sign", "\"Um+um.\""},
      {"equals sign", "\"Um=um.\""},
      {"n with tilde, cp850 0xA4", "\"Espa\xa4" "a.\""},
      {"u with diaeresis, cp850 0x81", "\"\x81" "ber.\""},
      {"console double angle quote, cp850 0xAE", "\"\xae" "Sim.\""},
      {"carriage return inside", "\"Um\rdois.\""},
      {"text right after the closing quote", "\"Um.\"x"},
      {"a third quote after the closing one", "\"Um.\"\""},
  };
  for (const Refused& t : refused) {
    SCOPED_TRACE(t.what);
    ScratchDir dir;
    Outcome r = add_once(dir, t.line);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, menu_screen() + adding_pass(t.line, "Eu", kRefusedLine) +
                         continuation_screen());
    EXPECT_EQ(dir.listing(), "");
  }
  // Each line of the refusal fits an 80-column console: one column per code page 850 byte.
  std::size_t start = 0;
  for (std::size_t end; (end = kRefusedLine.find('\n', start)) != std::string::npos; start = end + 1)
    EXPECT_LE(end - start, 80u) << kRefusedLine.substr(start, end - start);
}

TEST(AddRefusalTest, ACharacterTheFileWouldGiveBackAsAnotherIsRefused) {
  // ß is stored as the byte of á and box drawing as that of Ã: the quotation is judged
  // first, then the author.
  const struct {
    std::string quote, author, message;
  } cases[] = {
      {"\"Gau\xE1.\"", "Eu",
       "\nErro: Citação inválida: tem um carácter que o ficheiro não pode guardar.\n\n"_cp},
      {"\"Gauss.\"", "Gau\xE1 \xC9",
       "\nErro: Autor inválido: tem um carácter que o ficheiro não pode guardar.\n\n"_cp},
      {"\"Gau\xE1.\"", "Gau\xE1",
       "\nErro: Citação inválida: tem um carácter que o ficheiro não pode guardar.\n\n"_cp},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    Outcome r = run_talvo(dir, "1\n" + typed(c.quote, c.author, "S") + "\n0\n");
    EXPECT_EQ(r.out, menu_screen() + adding_pass(c.quote, c.author, c.message) +
                         continuation_screen());
    EXPECT_EQ(dir.listing(), "");
  }
}

TEST(AddRefusalTest, RefusalLeavesAnExistingStoreAndTheSessionAsTheyWere) {
  // The refused entry is not journalled: the history has nothing to report afterwards.
  ScratchDir dir;
  dir.write("citas.txt", kHeader + "\n\"Um.\"\nA\n");
  Outcome r = run_talvo(dir, "1\n" + typed("\"50%\"", "Eu", "S") + "\n2\n5\n\n0\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            menu_screen() + adding_pass("\"50%\"", "Eu", kRefusedLine) + continuation_screen() +
                menu_screen() + kNothingToReport);
  EXPECT_EQ(dir.read("citas.txt"), kHeader + "\n\"Um.\"\nA\n");
  EXPECT_EQ(dir.listing(), "citas.txt tempcopy.dat");
}

TEST(AddRefusalTest, BlanksAfterTheClosingQuoteAndEveryAdmittedByteAreAccepted) {
  const std::vector<Accepted> accepted = {
      {"a space, the rest of the line dropped", "\"Um.\"   xyz", "\"Um.\" ", "\"Um.\" "},
      {"a tab", "\"Um.\"\t", "\"Um.\"\t", "\"Um.\"\t"},
      {"a carriage return", "\"Um.\"\r", "\"Um.\"\r", "\"Um.\"\r"},
      {"empty quotation", "\"\"", "\"\"", "\"\""},
      {"signs, symbols, digits, tab, apostrophe",
       "\"Ol\xa0, mundo! (1/2) [a-b]; c: d? 'e'\tf.\"",
       "\"Ol\xa0, mundo! (1/2) [a-b]; c: d? 'e'\tf.\"",
       "\"Ol\xe1, mundo! (1/2) [a-b]; c: d? 'e'\tf.\""},
  };
  for (const Accepted& t : accepted) {
    SCOPED_TRACE(t.what);
    ScratchDir dir;
    Outcome r = add_once(dir, t.line);
    EXPECT_EQ(r.out, menu_screen() + adding_pass(t.shown, "Eu", kAddedLine) +
                         continuation_screen());
    EXPECT_EQ(dir.read("citas.txt"), kHeader + "\n" + t.stored + "\nEu\n");
  }
}

}  // namespace
}  // namespace talvo_test
