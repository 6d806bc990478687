// What the arguments ask for: the folder entered first, then help, version, a usage
// error or a verb.
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cp850.h"
#include "verbs.h"

int usage_error(Charset charset, std::string_view why, std::string_view argument) {
  say_error(charset, "talvo: "_cp + std::string(why), argument);
  say_error(charset, "Experimente \"talvo --ajuda\"."_cp);
  return 2;
}

namespace {

/// Runs the verb the arguments name.
int run_verb(const CommandLine& line, Charset charset) {
  switch (line.request) {
    case Request::kCount: return count_verb(charset);
    case Request::kSearch: return search_verb(line, charset);
    case Request::kRandom: return random_verb(charset);
    case Request::kExport: return export_verb(line, charset);
    case Request::kImport: return import_verb(line, charset);
    case Request::kAdd: return add_verb(line, charset);
    default: return kRunInteractive;
  }
}

}  // namespace

int run_arguments(const CommandLine& line, bool output_closed) {
  if (line.request == Request::kInteractive && line.folder == nullptr) return kRunInteractive;
  if (line.request == Request::kUsageError)
    return usage_error(unicode::locale_charset(), line.error, line.error_argument);
  if (output_closed && line.request != Request::kInteractive) {
    // What a verb prints would go nowhere: it does nothing rather than succeed unseen.
    say_error(unicode::locale_charset(), kCannotWriteOutput);
    return 2;
  }
  if (line.request == Request::kHelp || line.request == Request::kVersion) {
    VerbOutput out(unicode::locale_charset());
    out.console_text(line.request == Request::kHelp ? usage_text() : version_line());
    return finish_output(out, 0);
  }
  if (line.folder != nullptr && ::chdir(line.folder) != 0) {
    const int error = errno;
    say_error(unicode::locale_charset(), "Erro: Impossibilidade em entrar na pasta "_cp,
              std::string(line.folder) + ": " + std::strerror(error));
    return 2;
  }
  // The interactive program learns the terminal's character set for itself.
  if (line.request == Request::kInteractive) return kRunInteractive;
  return run_verb(line, unicode::locale_charset());
}
