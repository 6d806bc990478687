// End-to-end property: on generated hand-edited stores, deleting any one entry leaves the
// store equal to its input less that entry's bytes and at most one separating newline,
// and every other entry reads as before.
#include <cstdio>
#include <random>
#include <vector>

#include "entries.h"
#include "file_cases.h"

namespace files_test {
namespace {

using namespace talvo_test;
using namespace std::string_literals;

/// A generated store and, for each entry a test may delete, its search tag and where its
/// bytes lie.
struct GeneratedStore {
  std::string bytes;
  struct Target {
    std::string tag;
    std::size_t begin, end;
  };
  std::vector<Target> targets;
};

/// Hand-edited pieces the deletions must carry over untouched.
std::string junk(std::mt19937& rng) {
  auto letters = [&](std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += static_cast<char>('a' + rng() % 26);
    return s;
  };
  switch (rng() % 8) {
    case 0: return "\"Sinal @ e 50% aqui.\"\nAutor\n";
    case 1: return "\"Caf\xC3\xA9 \xFF fim.\"\nUtf\n";
    case 2: return "\"Nul \0 byte.\"\nZero\n"s;
    case 3: return "\"" + letters(1990 + rng() % 200) + "\"\nLongo\n";
    case 4: return "\"Autor longo.\"\n" + letters(45 + rng() % 40) + "\n";
    case 5: return "\"Brancos.\"\n   Com brancos\n";
    case 6: return "\"Sem autor.\"\n\n";
    default: return "linha solta \xE9 @ sem aspas\n";
  }
}

/// A store of talvo's and hand-written pieces in random order, with random separators;
/// sometimes with no header, sometimes with no newline at its end.
GeneratedStore generate(std::mt19937& rng) {
  static const char* const kWords[] = {"vento", "mar", "casa", "luz", "tempo", "rio", "pedra"};
  GeneratedStore store;
  store.bytes = rng() % 5 == 0 ? "\"Sem cabecalho.\"\nAutor\n" : kHeader + "\n";
  const int pieces = 3 + static_cast<int>(rng() % 6);
  for (int i = 0; i < pieces; ++i) {
    static const char* const kSeparators[] = {"", "\n", "\n\n", " \n"};
    store.bytes += kSeparators[rng() % 4];
    if (rng() % 2 == 0) {
      store.bytes += junk(rng);
      continue;
    }
    std::string tag = "QK";
    tag += static_cast<char>('A' + i);
    tag += static_cast<char>('A' + rng() % 26);
    std::string quote = "\"" + tag;
    for (unsigned w = rng() % 4; w > 0; --w) quote += (rng() % 4 ? " " : "\n") + std::string(kWords[rng() % 7]);
    const std::size_t begin = store.bytes.size();
    store.bytes += quote + ".\"\n" + (rng() % 3 ? "Autor" : "  Nome Longo") + "\n";
    store.targets.push_back({tag, begin, store.bytes.size()});
  }
  if (rng() % 3 == 0 && !store.targets.empty() && store.targets.back().end == store.bytes.size()) {
    store.bytes.pop_back();  // the last author line ends the file without a newline
    --store.targets.back().end;
  }
  return store;
}

/// The store less one entry: its bytes, and one newline that separated it from the rest:
/// the empty line before it, else the empty line after it when it starts a line, else,
/// for the entry that ends the file, the newline before it.
std::string less_entry(const std::string& s, std::size_t begin, std::size_t end) {
  if (begin >= 2 && s[begin - 1] == '\n' && s[begin - 2] == '\n') --begin;
  else if (end < s.size() && s[end] == '\n' && (begin == 0 || s[begin - 1] == '\n')) ++end;
  else if (end == s.size() && begin >= 1 && s[begin - 1] == '\n') --begin;
  return s.substr(0, begin) + s.substr(end);
}

/// The count main menu 9 reports in `out`, or -1.
int reported_count(const std::string& out) {
  const std::string lead = "Existem em memória "_cp;
  std::size_t at = out.rfind(lead);
  int n = -1;
  if (at != std::string::npos) std::sscanf(out.c_str() + at + lead.size(), "%d", &n);
  return n;
}

TEST(DeletionPropertyTest, EachEntryGoesAloneFromAnyHandEditedStore) {
  std::mt19937 rng(20261207);
  ScratchDir dir;
  int deletions = 0;
  for (int round = 0; round < 30; ++round) {
    const GeneratedStore store = generate(rng);
    reset(dir, &store.bytes);
    const int count = reported_count(run_talvo(dir, "9\n\n0\n").out);
    ASSERT_GT(count, 0);
    for (const auto& target : store.targets) {
      SCOPED_TRACE("round " + std::to_string(round) + ", entry " + target.tag);
      reset(dir, &store.bytes);
      Outcome r = run_talvo(dir, "3\n" + target.tag + "\n1\nn\n\nS\n\n2\n9\n\n0\n");
      EXPECT_EQ(r.status, 0);
      EXPECT_NE(r.out.find(kDeleted), std::string::npos);
      const std::string expected = less_entry(store.bytes, target.begin, target.end);
      EXPECT_EQ(dir.read("citas.txt"), expected);
      EXPECT_EQ(dir.read("tempcopy.dat"), expected);
      EXPECT_EQ(reported_count(r.out), count - 1);
      ++deletions;
    }
  }
  EXPECT_GT(deletions, 30);
}

}  // namespace
}  // namespace files_test
