// End-to-end: what exportar writes, importar takes back whole into a new collection, in
// every format and character set; and strfile accepts the fortune format.
#include <array>
#include <cstdio>
#include <cstdlib>

#include "cli_run.h"

namespace talvo_test {
namespace {

/// Entries that stress each format: every admitted sign, « », accented letters of both
/// cases, a quotation of many lines with an empty one, authors with quotes, a backslash,
/// "--", "%" and a tab.
std::vector<Entry> odd_entries() {
  return {
      {"\"Letras: \xC0\xC1\xC2\xC3\xC7\xC9\xCA\xCD\xD3\xD4\xD5\xDA \xE0\xE1\xE2\xE3\xE7\xE9\xEA"
       "\xED\xF3\xF4\xF5\xFA.\"",
       "\xC1lvaro de Campos"},
      {"\"Sinais ! ' , . : ; ? ( ) - / [ ] \xAB\xBB e 0123456789.\"", "A \"B\" \\ C"},
      {"\"Uma,\n\nduas\n\ttr\xEAs linhas.\"", "-- %"},
      {"\"%\"", "%"},  // never stored by talvo (% is refused), here to show it is left out
      {"\"Fim.\"", "Autor\tcom tab"},
      // Authors as the menu stores them: ü ñ ö ë Å are their code page 850 bytes.
      {"\"Ol\xE1, 'mundo'.\"", "J\x81rgen M\x81ller"},
      {"\"Sim.\"", "Mu\xA4oz, \x94 \x89 \x8F"},
  };
}

TEST(RoundTripTest, ImportOfAnExportGivesTheSameEntries) {
  std::vector<Entry> entries = odd_entries();
  entries.erase(entries.begin() + 3);  // the quotation talvo could not have stored
  const std::string store = added_layout(entries);
  for (const char* format : {"texto", "fortune", "json"}) {
    for (Locale locale : {Locale::kC, Locale::kUtf8, Locale::kMissing, Locale::kNone}) {
      SCOPED_TRACE(std::string(format) + " locale " + std::to_string(static_cast<int>(locale)));
      ScratchDir from, to;
      from.write("citas.txt", store);
      Outcome exported = run_cli(from, {"exportar", std::string("--formato=") + format}, locale);
      ASSERT_EQ(exported.status, 0);
      Outcome imported =
          run_cli(to, {"importar", std::string("--formato=") + format, "-"}, locale, exported.out);
      EXPECT_EQ(imported.status, 0);
      EXPECT_EQ(imported.err, "");
      // The new collection is the old one entry for entry, in the layout of additions.
      EXPECT_EQ(to.read("citas.txt"), store);
      Outcome again = run_cli(to, {"exportar", std::string("--formato=") + format}, locale);
      EXPECT_EQ(again.out, exported.out);
      // Brought back to where they came from, every entry is one already there.
      Outcome back =
          run_cli(from, {"importar", std::string("--formato=") + format, "-"}, locale, again.out);
      EXPECT_EQ(back.status, 0);
      EXPECT_EQ(back.out.substr(0, 14), "Importadas: 0;");
      EXPECT_EQ(from.read("citas.txt"), store);
    }
  }
}

TEST(RoundTripTest, StrfileAcceptsTheFortuneFormat) {
  if (std::system("command -v strfile > /dev/null 2>&1") != 0)
    GTEST_SKIP() << "strfile (Debian package fortune-mod) is not installed";
  ScratchDir dir;
  std::vector<Entry> entries = odd_entries();
  entries.erase(entries.begin() + 3);
  dir.write("citas.txt", added_layout(entries));
  Outcome exported = run_cli(dir, {"exportar", "--formato=fortune"}, Locale::kUtf8);
  ASSERT_EQ(exported.status, 0);
  dir.write("citas", exported.out);
  const std::string command = "cd '" + dir.data() + "' && strfile citas citas.dat > strfile.out 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << dir.read("strfile.out").value_or("");
  // strfile's table: a header of six 32-bit big-endian words, the second the number of
  // strings, then one offset per string and one for the end.
  std::string table = dir.read("citas.dat").value_or("");
  ASSERT_GE(table.size(), 24u);
  auto word = [&](std::size_t i) {
    std::uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v = (v << 8) | static_cast<unsigned char>(table[i * 4 + k]);
    return v;
  };
  EXPECT_EQ(word(1), entries.size());
  // Each offset starts an entry: the first letter inside its double quotes.
  for (std::size_t i = 0; i < entries.size(); ++i)
    EXPECT_EQ(exported.out[word(6 + i)], entries[i].quote[1]) << i;
}

TEST(RoundTripTest, ARealFortuneCollectionComesIn) {
  const std::string brasil = "/usr/share/games/fortunes/brasil";  // Debian's fortunes-br
  if (std::system(("test -r " + brasil).c_str()) != 0)
    GTEST_SKIP() << "fortunes-br is not installed";
  // The counts of a report, and the lines of its refusals.
  auto counts = [](const Outcome& r) {
    std::array<int, 3> n{};
    EXPECT_EQ(std::sscanf(r.out.c_str(), "Importadas: %d; j\xC3\xA1 existentes: %d; recusadas: %d",
                          &n[0], &n[1], &n[2]), 3) << r.out;
    return n;
  };
  auto refusal_lines = [](const std::string& err) {
    int lines = 0;
    for (std::size_t at = 0; (at = err.find(") recusada: ", at)) != std::string::npos; ++at) ++lines;
    return lines;
  };
  ScratchDir as_they_are, with_author;
  Outcome r = run_cli(as_they_are, {"importar", "--formato=fortune", brasil}, Locale::kUtf8);
  std::array<int, 3> n = counts(r);
  EXPECT_EQ(n[0] + n[1] + n[2], 2506);
  EXPECT_GE(n[0], 1580);
  EXPECT_EQ(refusal_lines(r.err), n[2]);  // each refused entry says why

  r = run_cli(with_author, {"importar", "--formato=fortune", "--autor=Desconhecido", brasil},
              Locale::kUtf8);
  n = counts(r);
  EXPECT_GE(n[0], 2300);
  EXPECT_EQ(refusal_lines(r.err), n[2]);
  // The second time, nothing more.
  const std::optional<std::string> store = with_author.read("citas.txt");
  r = run_cli(with_author, {"importar", "--formato=fortune", "--autor=Desconhecido", brasil},
              Locale::kUtf8);
  EXPECT_EQ(counts(r)[0], 0);
  EXPECT_EQ(with_author.read("citas.txt"), store);
  if (std::system("command -v strfile > /dev/null 2>&1") != 0) return;
  Outcome exported = run_cli(with_author, {"exportar", "--formato=fortune"}, Locale::kUtf8);
  with_author.write("citas", exported.out);
  const std::string command =
      "cd '" + with_author.data() + "' && strfile citas citas.dat > strfile.out 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << with_author.read("strfile.out").value_or("");
}

}  // namespace
}  // namespace talvo_test
