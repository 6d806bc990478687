// End-to-end: the options of every mode: help, version, -C with verbs and with the menu,
// and usage errors.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <fstream>

#include "cli_run.h"

namespace talvo_test {
namespace {

TEST(OptionsTest, HelpVersionAndUsageErrors) {
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out_starts;
    std::string err;
  } cases[] = {
      {{"--version"}, 0, "talvo 1.0.0\n", ""},
      {{"-V"}, 0, "talvo 1.0.0\n", ""},
      {{"--versao"}, 0, "talvo 1.0.0\n", ""},
      {{"-h"}, 0, "Utilização: talvo [-C PASTA]\n"_cp, ""},
      {{"--help"}, 0, "Utilização: talvo [-C PASTA]\n"_cp, ""},
      {{"--ajuda"}, 0, "Utilização: talvo [-C PASTA]\n"_cp, ""},
      {{"ficheiro"}, 2, "", "talvo: verbo desconhecido: ficheiro\nExperimente \"talvo --ajuda\".\n"},
      {{"--nada"}, 2, "", "talvo: opção desconhecida: --nada\nExperimente \"talvo --ajuda\".\n"_cp},
      {{"procurar"}, 2, "", "talvo: falta o texto a procurar\nExperimente \"talvo --ajuda\".\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0]);
    ScratchDir dir;
    Outcome r = run_cli(dir, c.args, Locale::kC, "9\n0\n");  // no menu may read this
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out.substr(0, c.out_starts.size()), c.out_starts);
    if (c.out_starts.empty()) {
      EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(dir.listing(), "");
  }
  // The help in a UTF-8 locale is UTF-8.
  ScratchDir dir;
  EXPECT_EQ(run_cli(dir, {"-h"}, Locale::kUtf8).out.substr(0, 13), "Utiliza\xC3\xA7\xC3\xA3o:");
}

TEST(OptionsTest, FolderOptionWorksWithEveryMode) {
  ScratchDir dir;
  const std::string folder = dir.data() + "/a minha pasta";
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  const std::string store = added_layout(kSample);
  {
    std::ofstream(folder + "/citas.txt", std::ios::binary) << store;
  }
  // Each verb, the folder given either way, before or after the verb.
  EXPECT_EQ(run_cli(dir, {"-C", folder, "contar"}).out, "3\n");
  EXPECT_EQ(run_cli(dir, {"contar", "--pasta=" + folder}).out, "3\n");
  EXPECT_EQ(run_cli(dir, {"-C" + folder, "procurar", "Maria"}).status, 0);
  EXPECT_EQ(run_cli(dir, {"--pasta", folder, "aleatoria"}).status, 0);
  Outcome exported = run_cli(dir, {"-C", folder, "exportar"});
  EXPECT_EQ(exported.out.substr(0, 8), "\"A vida ");
  dir.write("novas", "\"Nova.\"\n\t-- N\n");
  EXPECT_EQ(run_cli(dir, {"-C", folder, "importar", dir.data() + "/novas"}).status, 0);
  EXPECT_EQ(run_cli(dir, {"-C", folder, "contar"}).out, "4\n");
  // The menu, in that folder: its count, its lock and its safety copy are there.
  Outcome menu = run_cli(dir, {"-C", folder}, Locale::kC, "9\n\n0\n");
  EXPECT_EQ(menu.status, 0);
  EXPECT_NE(menu.out.find("Existem em memória 4 citações."_cp), std::string::npos);
  EXPECT_EQ(dir.listing(), "a minha pasta novas");
  std::ifstream copy(folder + "/tempcopy.dat");
  EXPECT_TRUE(copy.good());
  // A folder that is not there: an error, whatever the mode.
  for (std::vector<std::string> args :
       {std::vector<std::string>{"-C", "/nao/existe"}, {"-C", "/nao/existe", "contar"}}) {
    Outcome r = run_cli(dir, args, Locale::kC, "0\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Erro: Impossibilidade em entrar na pasta /nao/existe: No such file or "
                     "directory\n");
  }
}

TEST(OptionsTest, VerbsThatOnlyReadRunBesideAnOpenTalvo) {
  ScratchDir dir;
  dir.write("citas.txt", added_layout(kSample));
  int folder = ::open(dir.data().c_str(), O_RDONLY | O_DIRECTORY);
  ASSERT_EQ(::flock(folder, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(run_cli(dir, {"contar"}).out, "3\n");
  EXPECT_EQ(run_cli(dir, {"procurar", "Maria"}).status, 0);
  EXPECT_EQ(run_cli(dir, {"aleatoria"}).status, 0);
  EXPECT_EQ(run_cli(dir, {"exportar"}).status, 0);
  EXPECT_EQ(run_cli(dir, {"importar", "-"}, Locale::kC, "").status, 2);  // the one that writes
  ::close(folder);
}

}  // namespace
}  // namespace talvo_test
