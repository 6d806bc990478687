// End-to-end: procurar finds what the search listing finds, prints it in the entry format,
// in the locale's character set, with its status.
#include <cstdio>
#include <fstream>

#include "cli_run.h"

namespace talvo_test {
namespace {

/// How many results the interactive listing reports for the same search.
int listing_results(const ScratchDir& dir, const std::string& search_cp850, bool ignore_case) {
  Outcome r = run_talvo(dir, "2\n" + search_cp850 + "\n" + (ignore_case ? "S" : "N") +
                                 "\n" + std::string(40, '\n') + "0\n");
  if (r.out.find("Não há resultados"_cp) != std::string::npos) return 0;
  if (r.out.find("Houve 1 resultado.") != std::string::npos) return 1;
  std::size_t at = r.out.find("Houveram ");
  return at == std::string::npos ? -1 : std::stoi(r.out.substr(at + 9));
}

TEST(SearchVerbTest, FindsWhatTheListingFinds) {
  const std::string first = "\"A vida \xE9 bela.\"\n\t-- Ant\xF3nio\n\n";
  const std::string second = "\"Dois,\ntr\xEAs: \xABquatro\xBB.\"\n\t-- Maria Concei\xE7\xE3o\n\n";
  const std::string third = "\"Vida sem amor (nada).\"\n\t-- Jo\xE3o\n\n";
  // As the menu stores "Müller": ü is not one of its letters, so its code page 850 byte.
  const std::string menu_typed = "\"Ja.\"\nM\x81ller\n";
  const std::string fourth = "\"Ja.\"\n\t-- M\x81ller\n\n";
  const struct {
    const char* what;
    std::vector<std::string> args;
    Locale locale;
    std::string out;  // file bytes, shown below in the locale's character set
    int status;
    std::string console_search;  // the same search typed at the console
    bool ignore_case;
    bool no_store = false;
    std::string err = {};  // a usage error, in the locale's character set
  } cases[] = {
      {"exact, in the quotation", {"procurar", "vida"}, Locale::kC, first, 0, "vida", false},
      {"exact is exact", {"procurar", "VIDA"}, Locale::kC, "", 1, "VIDA", false},
      {"ignoring case", {"procurar", "-i", "VIDA"}, Locale::kC, first + third, 0, "VIDA", true},
      {"in the author", {"procurar", "Maria"}, Locale::kC, second, 0, "Maria", false},
      {"an accented letter, code page 850", {"procurar", "tr\x88s"}, Locale::kC, second, 0,
       "tr\x88s", false},
      {"an accented letter, UTF-8", {"procurar", "tr\xC3\xAAs"}, Locale::kUtf8, second, 0,
       "tr\x88s", false},
      {"accented capital folded", {"procurar", "-i", "ANT\xC3\x93NIO"}, Locale::kUtf8, first, 0,
       "ANT\xE0NIO", true},
      {"a control character is a usage error", {"procurar", "Dois,\ntr"}, Locale::kC, "", 2, "",
       false, false, "talvo: car\xA0" "cter n\xC6o admitido: U+000A\n"},
      {"a character code page 850 lacks is a usage error", {"procurar", "5 \xE2\x82\xAC"},
       Locale::kUtf8, "", 2, "", false, false,
       "talvo: car\xC3\xA1" "cter n\xC3\xA3o admitido: U+20AC \xE2\x82\xAC\n"},
      {"an author typed at the menu is found by its UTF-8 spelling", {"procurar", "M\xC3\xBCller"},
       Locale::kUtf8, fourth, 0, "M\x81ller", false},
      {"ignoring accents", {"procurar", "-a", "Joao"}, Locale::kC, third, 0, "", false},
      {"ignoring accents and case", {"procurar", "-a", "-i", "MULLER"}, Locale::kC, fourth, 0, "",
       false},
      {"ignoring accents and case: a capital the case folding leaves", {"procurar", "-a", "-i",
       "M\x9ALLER"}, Locale::kC, fourth, 0, "", false},
      {"a text longer than the menu's 49 bytes is matched whole",
       {"procurar", "Vida sem amor (nada). Vida sem amor (nada). Vida"}, Locale::kC, "", 1, "",
       false},
      {"nothing found", {"procurar", "Xilofone"}, Locale::kC, "", 1, "Xilofone", false},
      {"every entry holds a double quote", {"procurar", "\""}, Locale::kC,
       first + second + third + fourth, 0, "\"", false},
      {"no collection is an error, not a search that finds nothing", {"procurar", "x"},
       Locale::kUtf8, "", 2, "", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    if (!c.no_store) dir.write("citas.txt", added_layout(kSample) + "\n" + menu_typed);
    Outcome r = run_cli(dir, c.args, c.locale);
    EXPECT_EQ(dir.listing(), c.no_store ? "" : "citas.txt");  // nothing written beside it
    EXPECT_EQ(r.status, c.status);
    std::string want;
    file_to_text(c.out, c.locale == Locale::kUtf8 ? Charset::kUtf8 : Charset::kCp850, want);
    EXPECT_EQ(r.out, want);
    if (!c.err.empty()) {
      EXPECT_EQ(r.err, c.err + "Experimente \"talvo --ajuda\".\n");
      continue;
    }
    EXPECT_EQ(r.err, c.no_store ? "Erro: N\xC3\xA3o h\xC3\xA1 colec\xC3\xA7\xC3\xA3o nesta pasta: "
                                  "falta o ficheiro citas.txt\n"
                                : "");
    if (!c.console_search.empty()) {
      int found = 0;
      for (std::size_t at = 0; (at = r.out.find("\n\t-- ", at)) != std::string::npos; ++at) ++found;
      EXPECT_EQ(listing_results(dir, c.console_search, c.ignore_case), found);
    }
  }
}

TEST(SearchVerbTest, AClosedOutputEndsTheSearchQuietly) {
  ScratchDir dir;
  std::string store = kHeader;
  for (int i = 0; i < 20000; ++i) store += "\n\"Uma linha de texto para encher o tubo.\"\nAutor\n";
  dir.write("citas.txt", store);
  const std::string script = dir.data() + "/../pipe.sh";
  std::ofstream(script) << "'" << talvo_binary() << "' -C '" << dir.data()
                        << "' procurar linha | head -c 10 > /dev/null; echo ${PIPESTATUS[0]}\n";
  FILE* shell = ::popen(("bash '" + script + "'").c_str(), "r");
  ASSERT_NE(shell, nullptr);
  char status[16] = {};
  ASSERT_NE(std::fgets(status, sizeof status, shell), nullptr);
  ::pclose(shell);
  EXPECT_STREQ(status, "0\n");  // neither killed by SIGPIPE nor an error
}

}  // namespace
}  // namespace talvo_test
