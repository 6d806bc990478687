// End-to-end: aleatoria prints one of the entries, each about as often as the others,
// and says when there is none.
#include <map>

#include "cli_run.h"

namespace talvo_test {
namespace {

TEST(RandomVerbTest, PrintsOneEntryOfTheStore) {
  const struct {
    const char* what;
    std::string store;
    std::vector<std::string> may_print;  // file bytes
    int status;
    std::string err;
  } cases[] = {
      {"one entry", added_layout({kSample[0]}), {"\"A vida \xE9 bela.\"\n\t-- Ant\xF3nio\n\n"}, 0, ""},
      {"entries counted as contar counts them", "\"Nunca.\"\nX\n\n\"Um.\"\nA\n",
       {"\"Um.\"\n\t-- A\n\n"}, 0, ""},
      {"a last entry cut by the end", kHeader + "\n\"Fim.\"", {"\"Fim.\"\n\t-- \n\n"}, 0, ""},
      {"no entry", kHeader + "\n", {""}, 1, "A colecção não tem entradas.\n"_cp},
      {"empty store", "", {""}, 1, "A colecção não tem entradas.\n"_cp},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    dir.write("citas.txt", c.store);
    for (const char* verb : {"aleatoria", "aleat\xA2ria"}) {  // the second in code page 850
      Outcome r = run_cli(dir, {verb});
      EXPECT_EQ(r.status, c.status);
      std::string shown;
      file_to_text(c.may_print[0], Charset::kCp850, shown);
      EXPECT_EQ(r.out, shown);
      EXPECT_EQ(r.err, c.err);
    }
    EXPECT_EQ(dir.listing(), "citas.txt");
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
    ASSERT_EQ(r.status, 0);
    ++seen[r.out];
  }
  ASSERT_EQ(seen.size(), 4u);
  for (const auto& [out, times] : seen) {
    EXPECT_GE(times, 55) << out;
    EXPECT_LE(times, 145) << out;
  }
}

TEST(RandomVerbTest, NoStoreIsAnError) {
  ScratchDir dir;
  Outcome r = run_cli(dir, {"aleatoria"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("citas.txt"), std::string::npos);
}

}  // namespace
}  // namespace talvo_test
