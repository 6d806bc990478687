// End-to-end: aleatoria prints one of the entries, each about as often as the others,
// and says when there is none.
#include <map>

#include "cli_run.h"

namespace talvo_test {
namespace {

TEST(RandomVerbTest, PrintsOneEntryOfTheStore) {
  const std::string none = "(none)";  // no store
  const struct {
    const char* what;
    std::string store;
    int status;
    std::string out;  // file bytes, shown in code page 850
    std::string err;
  } cases[] = {
      {"one entry", added_layout({kSample[0]}), 0, "\"A vida \xE9 bela.\"\n\t-- Ant\xF3nio\n\n", ""},
      {"entries counted as contar counts them", "\"Nunca.\"\nX\n\n\"Um.\"\nA\n", 0,
       "\"Um.\"\n\t-- A\n\n", ""},
      {"a last entry cut by the end", kHeader + "\n\"Fim.\"", 0, "\"Fim.\"\n\t-- \n\n", ""},
      {"no entry", kHeader + "\n", 1, "", "A colecção não tem entradas.\n"_cp},
      {"empty store", "", 1, "", "A colecção não tem entradas.\n"_cp},
      {"no collection", none, 2, "",
       "Erro: Não há colecção nesta pasta: falta o ficheiro citas.txt\n"_cp},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    if (c.store != none) dir.write("citas.txt", c.store);
    const std::string before = dir.listing();
    for (const char* verb : {"aleatoria", "aleat\xA2ria"}) {  // the second in code page 850
      Outcome r = run_cli(dir, {verb});
      EXPECT_EQ(r.status, c.status);
      std::string shown;
      file_to_text(c.out, Charset::kCp850, shown);
      EXPECT_EQ(r.out, shown);
      EXPECT_EQ(r.err, c.err);
    }
    EXPECT_EQ(dir.listing(), before);
  }
}

TEST(RandomVerbTest, EveryEntryComesUpAboutEquallyOften) {
  // Four entries, 400 runs: each is expected 100 times; a fair choice falls outside 55 to
  // 145 with a probability below one in a million, a choice that never takes the last
  // entry or always keeps the first one does every time.
  ScratchDir dir;
  const std::vector<Entry> four = {{"\"Um.\"", "A"}, {"\"Dois.\"", "B"}, {"\"Tr\xEAs.\"", "C"},
                                   {"\"Quatro.\"", "D"}};
  dir.write("citas.txt", added_layout(four));
  std::map<std::string, int> seen;
  for (int i = 0; i < 400; ++i) {
    Outcome r = run_cli(dir, {"aleatoria"});
    ASSERT_EQ(r.status, 0) << "run " << i << " printed [" << r.out << "] and [" << r.err << "]";
    ++seen[r.out];
  }
  ASSERT_EQ(seen.size(), 4u);
  for (const auto& [out, times] : seen) {
    EXPECT_GE(times, 55) << out;
    EXPECT_LE(times, 145) << out;
  }
}

}  // namespace
}  // namespace talvo_test
