// End-to-end: importar checks each entry as a typed one is checked, skips what the
// collection holds, appends the rest in one synced append under the collection's lock.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "cli_run.h"

namespace talvo_test {
namespace {

/// The report: the counts, then `rest` (code page 850), in the locale's character set.
std::string summary(int added, int skipped, int refused, Locale locale,
                    const std::string& rest = "") {
  std::string text;
  console_to_text("Importadas: " + std::to_string(added) + "; já existentes: "_cp +
                      std::to_string(skipped) + "; recusadas: " + std::to_string(refused) + "\n" +
                      rest,
                  locale == Locale::kUtf8 ? Charset::kUtf8 : Charset::kCp850, text);
  return text;
}

TEST(ImportVerbTest, ChecksSkipsAndAppends) {
  const std::string held = added_layout({{"\"J\xE1 c\xE1.\"", "Z"}});
  const struct {
    const char* what;
    std::string store;  // "" for no store at all
    std::string format;
    Locale locale;
    std::string input;
    std::string store_after;
    int added, skipped, refused, status;
    std::string err;  // the refusals or the error, in the locale's character set
    std::string file = "entrada";
    bool lock = false;  // another talvo holds the collection
    std::vector<std::string> options = {};
    std::string report = "";  // the report's lines after the counts, code page 850
  } cases[] = {
      {"texto in UTF-8 into a folder with no collection", "", "texto", Locale::kUtf8,
       "\"Um \xC3\xA9.\"\n\t-- A\n\n\"Dois,\ntr\xC3\xAAs.\"\n\t-- B\n\n",
       added_layout({{"\"Um \xE9.\"", "A"}, {"\"Dois,\ntr\xEAs.\"", "B"}}), 2, 0, 0, 0, ""},
      {"texto in code page 850", held, "texto", Locale::kC, "\"Um \x82.\"\n\t-- A\x87\n",
       held + "\n\"Um \xE9.\"\nA\xE7\n", 1, 0, 0, 0, ""},
      {"an author with blanks around it is the held one; a blank author is refused", held,
       "texto", Locale::kC, "\"J\xA0 c\xA0.\"\n\t--   Z \t\n\n\"Novo.\"\n\t--  \n", held, 0, 1, 1, 1,
       "Entrada 2 (linha 4) recusada: sem autor\n", "entrada", false, {}, "  sem autor: 1\n"},
      {"as found: byte order mark, CR LF, typographic marks, an attribution over two lines, "
       "--autor for an entry without one", held, "fortune", Locale::kUtf8,
       "\xEF\xBB\xBF\xE2\x80\x9CUm \xE2\x80\x94 dois\xE2\x80\xA6\xE2\x80\x9D\r\n  \xE2\x80\x94 Fulano"
       "\xC2\xA0\r\n  de Tal\r\n%  \r\n\xE2\x80\x94 Sem \xE2\x80\x98" "autor\xE2\x80\x99.\r\n",
       held + "\n\"Um - dois...\"\nFulano de Tal\n\n\"- Sem 'autor'.\"\nAn\xF3nimo\n", 2, 0, 0, 0, "",
       "entrada", false, {"--autor= An\xC3\xB3nimo\xC2\xA0"},
       "Com substituições tipográficas: 2\n"_cp},
      {"json members other than citacao and autor are counted by name", held, "json", Locale::kC,
       "[{\"citacao\": \"Um.\", \"autor\": \"A\", \"id\": \"1\", \"fonte\": \"x\"},\n"
       " {\"id\": \"2\", \"citacao\": \"Dois.\", \"autor\": \"B\"}]",
       held + "\n\"Um.\"\nA\n\n\"Dois.\"\nB\n", 2, 0, 0, 0, "", "entrada", false, {},
       "Campos ignorados: id (2), fonte (1)\n"},
      {"--simular reports and changes nothing", held, "texto", Locale::kC, "\"Um.\"\n\t-- A\n", held,
       1, 0, 0, 0, "", "entrada", false, {"--simular"}, "(simulação: nada foi alterado)\n"_cp},
      {"an entry too long to be held is refused for its length", held, "fortune", Locale::kC,
       std::string(40000, 'a') + "\n" + std::string(40000, 'b') + "\n-- A\n%\nUm.\n-- B\n",
       held + "\n\"Um.\"\nB\n", 1, 0, 1, 1,
       "Entrada 1 (linha 1) recusada: citação com mais de 1997 caracteres\n"_cp, "entrada", false,
       {}, "  citação com mais de 1997 caracteres: 1\n"_cp},
      {"what the store holds, and a repeat in the input, are skipped", held, "texto",
       Locale::kUtf8,
       "\"J\xC3\xA1 c\xC3\xA1.\"\n\t-- Z\n\n\"Novo.\"\n\t-- N\n\n\"Novo.\"\n\t-- N\n\n"
       "\"Novo.\"\n\t-- Outro\n",
       held + "\n\"Novo.\"\nN\n\n\"Novo.\"\nOutro\n", 2, 2, 0, 0, ""},
      {"blanks after the closing quote are not stored", held, "texto", Locale::kC,
       "\"Um.\" \t\n\t-- A\n", held + "\n\"Um.\"\nA\n", 1, 0, 0, 0, ""},
      {"refusals, each with its position and reason; the rest imported", held, "fortune",
       Locale::kUtf8,
       "\"Dei 100% de mim.\"\n\t-- Eu\n%\n\"Custa 5 \xE2\x82\xAC.\"\n\t-- Eu\n%\nSem aspas.\n"
       "\t-- Eu\n%\n\"Bom.\"\n\t-- " + std::string(50, 'x') + "\n%\n\"Sem autor.\"\n%\n"
       "\"Certo.\"\n\t-- Eu\n%\n",
       held + "\n\"Sem aspas.\"\nEu\n\n\"Certo.\"\nEu\n", 2, 0, 4, 1,
       "Entrada 1 (linha 1) recusada: car\xC3\xA1" "cter n\xC3\xA3o admitido: U+0025 %\n"
       "Entrada 2 (linha 4) recusada: car\xC3\xA1" "cter n\xC3\xA3o admitido: U+20AC \xE2\x82\xAC\n"
       "Entrada 4 (linha 10) recusada: o autor tem mais de 49 caracteres\n"
       "Entrada 5 (linha 13) recusada: sem autor\n", "entrada", false, {},
       "  carácter não admitido: 2\n  o autor tem mais de 49 caracteres: 1\n  sem autor: 1\n"_cp},
      {"json, UTF-8 in any locale; a missing author is no author", held, "json", Locale::kC,
       "[{\"citacao\": \"\\\"Ol\xC3\xA1.\\\"\", \"autor\": \"Ana\"},\n {\"citacao\": \"\\\"X.\\\"\"}]",
       held + "\n\"Ol\xE1.\"\nAna\n", 1, 0, 1, 1, "Entrada 2 (linha 2) recusada: sem autor\n",
       "entrada", false, {}, "  sem autor: 1\n"},
      {"a quotation holds at most 1997 bytes between its quotes", held, "texto", Locale::kC,
       "\"" + std::string(1997, 'a') + "\"\n\t-- A\n\n\"" + std::string(1998, 'b') + "\"\n\t-- B\n",
       held + "\n\"" + std::string(1997, 'a') + "\"\nA\n", 1, 0, 1, 1,
       "Entrada 2 (linha 4) recusada: citação com mais de 1997 caracteres\n"_cp, "entrada", false,
       {}, "  citação com mais de 1997 caracteres: 1\n"_cp},
      {"nothing to import changes nothing", held, "json", Locale::kC, "[]", held, 0, 0, 0, 0, ""},
      // A bad input, or a busy collection, changes nothing (status 2).
      {"a malformed texto file, past an entry that could be imported", held, "texto", Locale::kC,
       std::string("\"Um.\"\n\t-- A\n\n\"Do\0is.\"\n\t-- B\n", 23), held, 0, 0, 0, 2,
       "Erro: O ficheiro a importar está mal formado na linha 4: tem um byte nulo\n"_cp},
      {"an endless input", held, "fortune", Locale::kC, "", held, 0, 0, 0, 2,
       "Erro: O ficheiro a importar está mal formado na linha 1: linha com mais de 64 KiB\n"_cp,
       "/dev/zero"},
      {"a store whose last entry is cut short is not imported into", held + "\n\"Cortada.\"\n",
       "texto", Locale::kC, "\"Um.\"\n\t-- A\n", held + "\n\"Cortada.\"\n", 0, 0, 0, 2,
       "Erro: A colecção termina numa entrada incompleta (linha 5); corrija-a antes de "
       "importar.\n"_cp},
      {"a fault in --autor is a usage error", held, "texto", Locale::kUtf8, "\"Um.\"\n", held, 0, 0,
       0, 2,
       "talvo: autor recusado (--autor): car\xC3\xA1" "cter n\xC3\xA3o admitido: U+00DF \xC3\x9F\n"
       "Experimente \"talvo --ajuda\".\n", "entrada", false, {"--autor=Gau\xC3\x9F"}},
      {"a malformed json file", held, "json", Locale::kC,
       "[{\"citacao\": \"\\\"Um.\\\"\", \"autor\": \"A\"}", held, 0, 0, 0, 2,
       "Erro: O ficheiro a importar está mal formado na linha 1: esperava-se uma vírgula ou ]\n"_cp},
      {"no such file", held, "texto", Locale::kC, "", held, 0, 0, 0, 2,
       "Erro: Impossibilidade em ler o ficheiro nada\n", "nada"},
      {"a directory", held, "texto", Locale::kC, "", held, 0, 0, 0, 2,
       "Erro: Impossibilidade em ler o ficheiro .\n", "."},
      {"another talvo holds the collection", held, "texto", Locale::kC, "\"Um.\"\n\t-- A\n", held,
       0, 0, 0, 2, "Erro: A colecção de citações desta pasta já está aberta noutro talvo.\n"_cp,
       "entrada", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    if (!c.store.empty()) dir.write("citas.txt", c.store);
    dir.write("entrada", c.input);
    int folder = -1;
    if (c.lock) {
      folder = ::open(dir.data().c_str(), O_RDONLY | O_DIRECTORY);
      ASSERT_EQ(::flock(folder, LOCK_EX | LOCK_NB), 0);
    }
    std::vector<std::string> args = {"importar", "--formato=" + c.format};
    args.insert(args.end(), c.options.begin(), c.options.end());
    args.push_back(c.file);
    Outcome r = run_cli(dir, args, c.locale);
    if (folder >= 0) ::close(folder);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.status == 2 ? "" : summary(c.added, c.skipped, c.refused, c.locale, c.report));
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(dir.read("citas.txt"), c.store_after);
    EXPECT_EQ(dir.listing(), "citas.txt entrada");  // no journal, no safety copy
    if (c.status == 2) continue;
    // The same input from standard input: everything is now held.
    args.back() = "-";
    Outcome again = run_cli(dir, args, c.locale, c.input);
    EXPECT_EQ(again.status, c.status);
    EXPECT_EQ(dir.read("citas.txt"), c.store_after);
  }
}

TEST(ImportVerbTest, AdicionarChecksAndWritesOneEntryAsImportarDoes) {
  const std::string held = added_layout({{"\"J\xE1 c\xE1.\"", "Z"}});
  const struct {
    const char* what;
    std::string store;  // "" for no store at all
    std::string quote, author;
    std::string store_after;
    int status;
    std::string out, err;  // UTF-8
    bool lock = false;
  } cases[] = {
      {"into a folder with no collection; CR LF ends a line", "",
       "\xE2\x80\x9CUm \xC3\xA9,\r\ndois.\xE2\x80\x9D", " A ",
       added_layout({{"\"Um \xE9,\ndois.\"", "A"}}), 0, "Entrada adicionada.\n", ""},
      {"already held, once trimmed", held, "  \"J\xC3\xA1 c\xC3\xA1.\"\r\n", "\xC2\xA0Z", held, 1,
       "A entrada j\xC3\xA1 existe.\n", ""},
      {"a blank author", held, "Um.", " \t", held, 1, "", "Entrada recusada: sem autor\n"},
      {"a character the store cannot hold", held, "Custa 5 \xE2\x82\xAC.", "Eu", held, 1, "",
       "Entrada recusada: car\xC3\xA1" "cter n\xC3\xA3o admitido: U+20AC \xE2\x82\xAC\n"},
      {"another talvo holds the collection", held, "Um.", "A", held, 2, "",
       "Erro: A colec\xC3\xA7\xC3\xA3o de cita\xC3\xA7\xC3\xB5" "es desta pasta j\xC3\xA1 est\xC3\xA1 "
       "aberta noutro talvo.\n", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    if (!c.store.empty()) dir.write("citas.txt", c.store);
    int folder = -1;
    if (c.lock) {
      folder = ::open(dir.data().c_str(), O_RDONLY | O_DIRECTORY);
      ASSERT_EQ(::flock(folder, LOCK_EX | LOCK_NB), 0);
    }
    Outcome r = run_cli(dir, {"adicionar", c.quote, c.author}, Locale::kUtf8);
    if (folder >= 0) ::close(folder);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(dir.read("citas.txt").value_or(""), c.store_after);
    EXPECT_EQ(dir.listing(), c.store_after.empty() ? "" : "citas.txt");
  }
}

TEST(ImportVerbTest, AFailureAtAnyStepLeavesTheStoreAsItWas) {
  const std::string held = added_layout(kSample);
  const std::string not_added =
      "Erro: As entradas não foram adicionadas: impossibilidade em escrever no ficheiro "
      "citas.txt\n"_cp;
  const struct {
    const char* variable;
    const char* file;
    bool reported;  // the report was out before the failure
    std::string err;
  } cases[] = {
      {"TALVO_FAIL_WRITE", "tempy.txt", false, not_added},
      {"TALVO_FAIL_COPY", "citas.txt", false, not_added},
      {"TALVO_FAIL_FSYNC", "tempy.txt", false, not_added},
      {"TALVO_FAIL_RENAME", "citas.txt", true, "Erro: A colecção não foi alterada.\n"_cp},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.variable);
    ScratchDir dir;
    dir.write("citas.txt", held);
    dir.write("entrada", "\"Um.\"\n\t-- A\n\n\"Dois.\"\n\t-- B\n");
    Outcome r = run_talvo_with(dir, {"importar", "entrada"}, "",
                               {{"LD_PRELOAD", fail_io_library()}, {c.variable, c.file}});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, c.reported ? summary(2, 0, 0, Locale::kC) : "");
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(dir.read("citas.txt"), held);
    EXPECT_EQ(dir.listing(), "citas.txt entrada");  // no scratch file left
  }
}

TEST(ImportVerbTest, AKillAtAnyStepLeavesTheOldStoreOrTheNew) {
  const std::string held = added_layout(kSample);
  std::string input;
  for (int i = 0; i < 50000; ++i) input += "Q" + std::to_string(i) + ".\n-- A\n\n";
  ScratchDir whole;
  whole.write("citas.txt", held);
  whole.write("entrada", input);
  ASSERT_EQ(run_cli(whole, {"importar", "entrada"}).status, 0);
  const std::optional<std::string> imported = whole.read("citas.txt");
  // Killed before its first step, then before each next one, until a run is not killed.
  int step = 1;
  for (; step < 1000; ++step) {
    ScratchDir dir;
    dir.write("citas.txt", held);
    dir.write("entrada", input);
    Outcome r = run_talvo_with(dir, {"importar", "entrada"}, "",
                               {{"LD_PRELOAD", fail_io_library()},
                                {"TALVO_KILL_AT", std::to_string(step)}});
    const std::optional<std::string> store = dir.read("citas.txt");
    ASSERT_TRUE(store == held || store == imported) << "killed at step " << step;
    if (r.status == 0) {
      EXPECT_EQ(store, imported);
      break;
    }
  }
  EXPECT_GT(step, 4);  // the scratch file's writes, its sync, the rename, the folder's sync
  EXPECT_LT(step, 1000);
}

}  // namespace
}  // namespace talvo_test
