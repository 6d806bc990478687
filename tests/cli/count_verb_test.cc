// End-to-end: contar counts what the count screen counts, on every layout, and reports a
// store it cannot open or read.
#include "cli_run.h"

namespace talvo_test {
namespace {

TEST(CountVerbTest, CountsAsTheCountScreenDoes) {
  const std::string none = "(none)", folder = "(folder)";  // no store; a folder in its place
  const struct {
    const char* what;
    std::string store;
    int status;
    std::string out, err;
  } cases[] = {
      {"grown by adding", added_layout(kSample), 0, "3\n", ""},
      {"rewritten by a deletion", rewritten_layout(kSample), 0, "3\n", ""},
      {"copy layout", copy_layout(kSample), 0, "3\n", ""},
      {"header only", kHeader, 0, "0\n", ""},
      {"empty file", "", 0, "0\n", ""},
      {"a per-cent sign cuts one entry", kHeader + "\n\"Dei 100% de mim.\"\nEu\n\n\"Um.\"\nA\n", 0,
       "2\n", ""},
      {"a last quotation with no author line", kHeader + "\n\"Um.\"\nA\n\n\"Fim.\"", 0, "2\n", ""},
      {"first line a quotation, never seen", "\"Um.\"\nA\n\n\"Dois.\"\nB\n", 0, "1\n", ""},
      {"blank lines before the header", "\n\n" + kHeader + "\n\"Um.\"\nA\n", 0, "1\n", ""},
      {"no collection", none, 2, "",
       "Erro: Não há colecção nesta pasta: falta o ficheiro citas.txt\n"_cp},
      {"a store that cannot be read", folder, 2, "",
       "Erro: Impossibilidade em ler o ficheiro citas.txt\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    if (c.store == folder) {
      ASSERT_EQ(::mkdir((dir.data() + "/citas.txt").c_str(), 0755), 0);
    } else if (c.store != none) {
      dir.write("citas.txt", c.store);
    }
    const std::string before = dir.listing();
    Outcome r = run_cli(dir, {"contar"});
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(dir.listing(), before);  // nothing created, no journal, no safety copy
    if (c.status != 0) continue;
    // The interactive count agrees.
    Outcome menu = run_talvo(dir, "9\n\n0\n");
    EXPECT_NE(menu.out.find(" " + c.out.substr(0, c.out.size() - 1) + " cita"), std::string::npos);
    EXPECT_EQ(dir.read("citas.txt"), c.store);
  }
}

}  // namespace
}  // namespace talvo_test
