// The one parser of the program's arguments.
#include "command_line.h"

#include <cstring>
#include <string_view>
#include <vector>

#include "cp850.h"

namespace {

/// The verbs and the request each names.
struct Verb {
  const char* name;
  Request request;
};
constexpr Verb kVerbs[] = {
    {"contar", Request::kCount},        {"procurar", Request::kSearch},
    {"aleatoria", Request::kRandom},    {"aleat\xC3\xB3ria", Request::kRandom},  // UTF-8
    {"aleat\xA2ria", Request::kRandom},                                          // code page 850
    {"exportar", Request::kExport},     {"importar", Request::kImport},
    {"adicionar", Request::kAdd},
};

/// Marks the command line as a usage error.
void fail(CommandLine& line, const char* why, std::string_view argument = {}) {
  if (line.request == Request::kUsageError) return;  // the first error is the one told
  line.request = Request::kUsageError;
  line.error = why;
  line.error_argument = argument;
}

/// Reads the value of --formato.
void take_format(CommandLine& line, std::string_view value) {
  if (value == "texto") line.format = EntryFormat::kText;
  else if (value == "fortune") line.format = EntryFormat::kFortune;
  else if (value == "json") line.format = EntryFormat::kJson;
  else fail(line, "formato desconhecido (texto, fortune ou json): "_cp, value);
}

/// What an option seen among the arguments was, for the checks once the verb is known.
struct Seen {
  bool help = false, version = false, ignore_case = false, ignore_accents = false, format = false;
  bool default_author = false, simulate = false;

  /// The first given of the options that only a verb takes, or null.
  const char* verb_option() const {
    return ignore_case      ? "-i"
           : ignore_accents ? "-a"
           : format         ? "--formato"
           : default_author ? "--autor"
           : simulate       ? "--simular"
                            : nullptr;
  }
};

/// Takes the option at argv[i] (which starts with '-' and is not "-" or "--"); may take
/// argv[i + 1] too, and then moves i on.
void take_option(CommandLine& line, Seen& seen, int argc, const char* const argv[], int& i) {
  std::string_view arg = argv[i];
  auto value_of = [&](std::string_view name, std::string_view& value) {
    // --name=VALUE, or --name VALUE
    if (arg.substr(0, name.size()) != name) return false;
    std::string_view rest = arg.substr(name.size());
    if (!rest.empty() && rest[0] == '=') {
      value = rest.substr(1);
      return true;
    }
    if (!rest.empty()) return false;
    if (i + 1 >= argc) {
      fail(line, "falta o valor da opção "_cp, arg);
      value = {};
      return true;
    }
    value = argv[++i];
    return true;
  };
  std::string_view value;
  if (arg == "-h" || arg == "--help" || arg == "--ajuda") {
    seen.help = true;
  } else if (arg == "-V" || arg == "--version" || arg == "--versao") {
    seen.version = true;
  } else if (arg == "-i") {
    seen.ignore_case = true;
  } else if (arg == "-a") {
    seen.ignore_accents = true;
  } else if (arg.substr(0, 2) == "-C") {
    if (arg.size() > 2) {
      line.folder = argv[i] + 2;
    } else if (i + 1 < argc) {
      line.folder = argv[++i];
    } else {
      fail(line, "falta a pasta da opção "_cp, arg);
    }
  } else if (value_of("--pasta", value)) {
    line.folder = value.data();
  } else if (value_of("--formato", value)) {
    seen.format = true;
    take_format(line, value);
  } else if (value_of("--autor", value)) {
    seen.default_author = true;
    line.default_author = value.data();
  } else if (arg == "--simular") {
    seen.simulate = true;
  } else {
    fail(line, "opção desconhecida: "_cp, arg);
  }
  if (line.folder != nullptr && *line.folder == '\0') fail(line, "a pasta não pode ser vazia"_cp);
}

/// The request a verb names, or kUsageError.
Request verb_request(std::string_view word) {
  for (const Verb& verb : kVerbs)
    if (word == verb.name) return verb.request;
  return Request::kUsageError;
}

/// Checks the operands and options against the verb.
void check_verb(CommandLine& line, const Seen& seen, const std::vector<const char*>& operands) {
  const Request verb = line.request;
  if ((seen.ignore_case || seen.ignore_accents) && verb != Request::kSearch)
    fail(line, "a opção só serve para procurar: "_cp, seen.ignore_case ? "-i" : "-a");
  if (seen.format && verb != Request::kExport && verb != Request::kImport)
    fail(line, "a opção só serve para exportar e importar: "_cp, "--formato");
  if ((seen.default_author || seen.simulate) && verb != Request::kImport)
    fail(line, "a opção só serve para importar: "_cp,
         seen.default_author ? "--autor" : "--simular");
  std::size_t wanted = verb == Request::kSearch || verb == Request::kImport ? 1
                       : verb == Request::kAdd                              ? 2
                                                                            : 0;
  if (operands.size() > wanted + 1) {
    fail(line, "argumento a mais: ", operands[wanted + 1]);
  } else if (operands.size() < wanted + 1) {
    fail(line, verb == Request::kSearch   ? "falta o texto a procurar"
               : verb == Request::kImport ? "falta o ficheiro a importar"
               : operands.size() < 2      ? "falta a citação a adicionar"_cp
                                          : "falta o autor a adicionar");
  }
  if (line.request == Request::kUsageError) return;
  line.ignore_case = seen.ignore_case;
  line.ignore_accents = seen.ignore_accents;
  if (verb == Request::kSearch) line.text = operands[1];
  if (verb == Request::kImport) line.file = operands[1];
  line.simulate = seen.simulate;
  if (verb == Request::kAdd) {
    line.quote = operands[1];
    line.author = operands[2];
  }
}

}  // namespace

CommandLine parse_command_line(int argc, const char* const argv[]) {
  CommandLine line;
  Seen seen;
  std::vector<const char*> operands;
  bool options_ended = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (!options_ended && std::strcmp(arg, "--") == 0) {
      options_ended = true;
    } else if (!options_ended && arg[0] == '-' && arg[1] != '\0') {
      take_option(line, seen, argc, argv, i);
    } else {
      operands.push_back(arg);
    }
  }
  if (line.request == Request::kUsageError) return line;
  if (seen.help) {
    line.request = Request::kHelp;
    return line;
  }
  if (seen.version) {
    line.request = Request::kVersion;
    return line;
  }
  if (operands.empty()) {
    if (const char* option = seen.verb_option())
      fail(line, "a opção precisa de um verbo: "_cp, option);
    return line;  // the interactive program
  }
  line.request = verb_request(operands[0]);
  if (line.request == Request::kUsageError) {
    line.request = Request::kInteractive;
    fail(line, "verbo desconhecido: ", operands[0]);
    return line;
  }
  check_verb(line, seen, operands);
  return line;
}
