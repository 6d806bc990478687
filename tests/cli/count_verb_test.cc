// End-to-end: contar counts what the count screen counts, on every layout, and reports a
// store it cannot open or read.
#include "cli_run.h"

namespace talvo_test {
namespace {

TEST(CountVerbTest, CountsAsTheCountScreenDoes) {
  const struct {
    const char* what;
    std::string store;
    std::string out;
  } cases[] = {
      {"grown by adding", added_layout(kSample), "3\n"},
      {"rewritten by a deletion", rewritten_layout(kSample), "3\n"},
      {"copy layout", copy_layout(kSample), "3\n"},
      {"header only", kHeader, "0\n"},
      {"empty file", "", "0\n"},
      {"a per-cent sign cuts one entry", kHeader + "\n\"Dei 100% de mim.\"\nEu\n\n\"Um.\"\nA\n", "2\n"},
      {"a last quotation with no author line", kHeader + "\n\"Um.\"\nA\n\n\"Fim.\"", "2\n"},
      {"first line a quotation, never seen", "\"Um.\"\nA\n\n\"Dois.\"\nB\n", "1\n"},
      {"blank lines before the header", "\n\n" + kHeader + "\n\"Um.\"\nA\n", "1\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    dir.write("citas.txt", c.store);
    Outcome r = run_cli(dir, {"contar"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, "");
    // The interactive count agrees.
    Outcome menu = run_talvo(dir, "9\n\n0\n");
    EXPECT_NE(menu.out.find(" " + c.out.substr(0, c.out.size() - 1) + " cita"), std::string::npos);
    EXPECT_EQ(dir.read("citas.txt"), c.store);
  }
}

TEST(CountVerbTest, NoStoreOrAnUnreadableOneIsAnErrorOnStandardError) {
  ScratchDir dir;
  Outcome none = run_cli(dir, {"contar"});
  EXPECT_EQ(none.status, 2);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err, "Erro: Não há colecção nesta pasta: falta o ficheiro citas.txt\n"_cp);
  EXPECT_EQ(dir.listing(), "");  // nothing created, no journal, no safety copy
  ASSERT_EQ(::mkdir((dir.data() + "/citas.txt").c_str(), 0755), 0);  // read fails
  Outcome unreadable = run_cli(dir, {"contar"});
  EXPECT_EQ(unreadable.status, 2);
  EXPECT_EQ(unreadable.out, "");
  EXPECT_EQ(unreadable.err, "Erro: Impossibilidade em ler o ficheiro citas.txt\n");
}

}  // namespace
}  // namespace talvo_test
