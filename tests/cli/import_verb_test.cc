// End-to-end: importar checks each entry as a typed one is checked, skips what the
// collection holds, appends the rest in one synced append under the collection's lock.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "cli_run.h"

namespace talvo_test {
namespace {

std::string summary(int added, int skipped, int refused, Locale locale) {
  std::string text;
  console_to_text("Importadas: " + std::to_string(added) + "; já existentes: "_cp +
                      std::to_string(skipped) + "; recusadas: " + std::to_string(refused) + "\n",
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
  } cases[] = {
      {"texto in UTF-8 into a folder with no collection", "", "texto", Locale::kUtf8,
       "\"Um \xC3\xA9.\"\n\t-- A\n\n\"Dois,\ntr\xC3\xAAs.\"\n\t-- B\n\n",
       added_layout({{"\"Um \xE9.\"", "A"}, {"\"Dois,\ntr\xEAs.\"", "B"}}), 2, 0, 0, 0, ""},
      {"texto in code page 850", held, "texto", Locale::kC, "\"Um \x82.\"\n\t-- A\x87\n",
       held + "\n\"Um \xE9.\"\nA\xE7\n", 1, 0, 0, 0, ""},
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
       "Entrada 5 (linha 13) recusada: falta a linha do autor (\"\\t-- autor\")\n"},
      {"json, UTF-8 in any locale; a missing member refuses its entry", held, "json", Locale::kC,
       "[{\"citacao\": \"\\\"Ol\xC3\xA1.\\\"\", \"autor\": \"Ana\"},\n {\"citacao\": \"\\\"X.\\\"\"}]",
       held + "\n\"Ol\xE1.\"\nAna\n", 1, 0, 1, 1,
       "Entrada 2 (linha 2) recusada: falta o membro \"autor\"\n"},
      {"a quotation holds at most 1997 bytes between its quotes", held, "texto", Locale::kC,
       "\"" + std::string(1997, 'a') + "\"\n\t-- A\n\n\"" + std::string(1998, 'b') + "\"\n\t-- B\n",
       held + "\n\"" + std::string(1997, 'a') + "\"\nA\n", 1, 0, 1, 1,
       "Entrada 2 (linha 4) recusada: citação com mais de 1997 caracteres\n"_cp},
      {"nothing to import changes nothing", held, "json", Locale::kC, "[]", held, 0, 0, 0, 0, ""},
      // A bad input, or a busy collection, changes nothing (status 2).
      {"a malformed texto file", held, "texto", Locale::kC, "\"Um.\"\n\t-- A\n\n\"Dois.\"\nB\n", held,
       0, 0, 0, 2,
       "Erro: O ficheiro a importar está mal formado na linha 5: esperava-se a linha do autor "
       "(\"\\t-- autor\")\n"_cp},
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
    Outcome r = run_cli(dir, {"importar", "--formato=" + c.format, c.file}, c.locale);
    if (folder >= 0) ::close(folder);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.status == 2 ? "" : summary(c.added, c.skipped, c.refused, c.locale));
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(dir.read("citas.txt"), c.store_after);
    EXPECT_EQ(dir.listing(), "citas.txt entrada");  // no journal, no safety copy
    if (c.status == 2) continue;
    // The same input from standard input: everything is now held.
    Outcome again = run_cli(dir, {"importar", "--formato=" + c.format, "-"}, c.locale, c.input);
    EXPECT_EQ(again.status, c.status);
    EXPECT_EQ(dir.read("citas.txt"), c.store_after);
  }
}

TEST(ImportVerbTest, AFailedSyncLeavesTheStoreAsItWas) {
  ScratchDir dir;
  const std::string held = added_layout(kSample);
  dir.write("citas.txt", held);
  dir.write("entrada", "\"Um.\"\n\t-- A\n\n\"Dois.\"\n\t-- B\n");
  Outcome r = run_talvo_with(dir, {"importar", "entrada"}, "",
                             {{"LD_PRELOAD", fail_io_library()}, {"TALVO_FAIL_FSYNC", "citas.txt"}});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Erro: As entradas não foram adicionadas: impossibilidade em escrever no "
                   "ficheiro citas.txt\n"_cp);
  EXPECT_EQ(dir.read("citas.txt"), held);
}

}  // namespace
}  // namespace talvo_test
