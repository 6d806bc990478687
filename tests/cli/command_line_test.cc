// The argument parser: every request, and what each wrong line is told.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_line.h"
#include "cp850.h"

namespace {

CommandLine parse(std::vector<const char*> args) {
  args.insert(args.begin(), "talvo");
  return parse_command_line(static_cast<int>(args.size()), args.data());
}

TEST(CommandLineTest, RequestsAndTheirArguments) {
  const struct {
    std::vector<const char*> args;
    Request request;
    const char* folder;
    const char* text;
    bool ignore_case;
    EntryFormat format;
    const char* file;
    const char* default_author = nullptr;
    bool simulate = false;
    const char* quote = nullptr;
    const char* author = nullptr;
  } cases[] = {
      {{}, Request::kInteractive, nullptr, nullptr, false, EntryFormat::kText, nullptr},
      {{"-C", "x"}, Request::kInteractive, "x", nullptr, false, EntryFormat::kText, nullptr},
      {{"-Cx"}, Request::kInteractive, "x", nullptr, false, EntryFormat::kText, nullptr},
      {{"--pasta=a b"}, Request::kInteractive, "a b", nullptr, false, EntryFormat::kText, nullptr},
      {{"--pasta", "p"}, Request::kInteractive, "p", nullptr, false, EntryFormat::kText, nullptr},
      {{"-h"}, Request::kHelp, nullptr, nullptr, false, EntryFormat::kText, nullptr},
      {{"--ajuda"}, Request::kHelp, nullptr, nullptr, false, EntryFormat::kText, nullptr},
      {{"contar", "--help"}, Request::kHelp, nullptr, nullptr, false, EntryFormat::kText, nullptr},
      {{"--versao"}, Request::kVersion, nullptr, nullptr, false, EntryFormat::kText, nullptr},
      {{"-V", "-h"}, Request::kHelp, nullptr, nullptr, false, EntryFormat::kText, nullptr},
      {{"contar"}, Request::kCount, nullptr, nullptr, false, EntryFormat::kText, nullptr},
      {{"contar", "-C", "d"}, Request::kCount, "d", nullptr, false, EntryFormat::kText, nullptr},
      {{"procurar", "amor"}, Request::kSearch, nullptr, "amor", false, EntryFormat::kText, nullptr},
      {{"procurar", "amor", "-i"}, Request::kSearch, nullptr, "amor", true, EntryFormat::kText,
       nullptr},
      {{"-i", "procurar", "--", "-h"}, Request::kSearch, nullptr, "-h", true, EntryFormat::kText,
       nullptr},
      {{"procurar", "-"}, Request::kSearch, nullptr, "-", false, EntryFormat::kText, nullptr},
      {{"aleatoria"}, Request::kRandom, nullptr, nullptr, false, EntryFormat::kText, nullptr},
      {{"aleat\xC3\xB3ria"}, Request::kRandom, nullptr, nullptr, false, EntryFormat::kText,
       nullptr},
      {{"exportar"}, Request::kExport, nullptr, nullptr, false, EntryFormat::kText, nullptr},
      {{"exportar", "--formato=json"}, Request::kExport, nullptr, nullptr, false,
       EntryFormat::kJson, nullptr},
      {{"--formato", "fortune", "exportar"}, Request::kExport, nullptr, nullptr, false,
       EntryFormat::kFortune, nullptr},
      {{"importar", "-"}, Request::kImport, nullptr, nullptr, false, EntryFormat::kText, "-"},
      {{"importar", "--formato=texto", "f.txt", "--pasta=c"}, Request::kImport, "c", nullptr,
       false, EntryFormat::kText, "f.txt"},
      {{"importar", "--autor", " A ", "f", "--simular"}, Request::kImport, nullptr, nullptr, false,
       EntryFormat::kText, "f", " A ", true},
      {{"--autor=", "importar", "f"}, Request::kImport, nullptr, nullptr, false,
       EntryFormat::kText, "f", ""},
      {{"adicionar", "--", "-Q-", "A"}, Request::kAdd, nullptr, nullptr, false, EntryFormat::kText,
       nullptr, nullptr, false, "-Q-", "A"},
  };
  for (const auto& c : cases) {
    std::string shown;
    for (const char* a : c.args) shown += std::string(a) + " ";
    SCOPED_TRACE(shown);
    CommandLine line = parse(c.args);
    EXPECT_EQ(line.request, c.request) << line.error << line.error_argument;
    EXPECT_STREQ(line.folder, c.folder);
    EXPECT_STREQ(line.text, c.text);
    EXPECT_EQ(line.ignore_case, c.ignore_case);
    EXPECT_EQ(line.format, c.format);
    EXPECT_STREQ(line.file, c.file);
    EXPECT_STREQ(line.default_author, c.default_author);
    EXPECT_EQ(line.simulate, c.simulate);
    EXPECT_STREQ(line.quote, c.quote);
    EXPECT_STREQ(line.author, c.author);
  }
}

TEST(CommandLineTest, WrongLinesAreUsageErrorsThatSayWhy) {
  const struct {
    std::vector<const char*> args;
    std::string error;
    std::string argument;
  } cases[] = {
      {{"--nada"}, "opção desconhecida: "_cp, "--nada"},
      {{"-x", "contar"}, "opção desconhecida: "_cp, "-x"},
      {{"apagar"}, "verbo desconhecido: ", "apagar"},
      {{"ficheiro.txt"}, "verbo desconhecido: ", "ficheiro.txt"},
      {{"-C"}, "falta a pasta da opção "_cp, "-C"},
      {{"--pasta"}, "falta o valor da opção "_cp, "--pasta"},
      {{"--pasta="}, "a pasta não pode ser vazia"_cp, ""},
      {{"procurar"}, "falta o texto a procurar", ""},
      {{"procurar", "a", "b"}, "argumento a mais: ", "b"},
      {{"contar", "x"}, "argumento a mais: ", "x"},
      {{"importar"}, "falta o ficheiro a importar", ""},
      {{"exportar", "--formato=csv"}, "formato desconhecido (texto, fortune ou json): "_cp, "csv"},
      {{"exportar", "--formato"}, "falta o valor da opção "_cp, "--formato"},
      {{"contar", "-i"}, "a opção só serve para procurar: "_cp, "-i"},
      {{"procurar", "--formato=json", "x"}, "a opção só serve para exportar e importar: "_cp,
       "--formato"},
      {{"-i"}, "a opção precisa de um verbo: "_cp, "-i"},
      {{"--simular"}, "a opção precisa de um verbo: "_cp, "--simular"},
      {{"exportar", "--autor=A"}, "a opção só serve para importar: "_cp, "--autor"},
      {{"adicionar", "Q", "A", "--simular"}, "a opção só serve para importar: "_cp, "--simular"},
      {{"adicionar"}, "falta a citação a adicionar"_cp, ""},
      {{"adicionar", "Q"}, "falta o autor a adicionar", ""},
      {{"adicionar", "Q", "A", "B"}, "argumento a mais: ", "B"},
      // An error is told even when help is asked for too: the line is wrong either way.
      {{"-h", "--nada"}, "opção desconhecida: "_cp, "--nada"},
  };
  for (const auto& c : cases) {
    std::string shown;
    for (const char* a : c.args) shown += std::string(a) + " ";
    SCOPED_TRACE(shown);
    CommandLine line = parse(c.args);
    EXPECT_EQ(line.request, Request::kUsageError);
    EXPECT_EQ(line.error, c.error);
    EXPECT_EQ(line.error_argument, c.argument);
  }
}

}  // namespace
