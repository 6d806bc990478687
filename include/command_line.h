// The command line: what the arguments ask the program to do.
#pragma once

#include <string>

/// How entries are written by `exportar` and read by `importar`.
enum class EntryFormat {
  kText,     ///< the quotation, a line "\t-- " and the author, an empty line
  kFortune,  ///< entries separated by lines holding only "%"
  kJson,     ///< an array of objects {"citacao": ..., "autor": ...}, UTF-8
};

/// What the arguments ask for.
enum class Request {
  kInteractive,  ///< no verb: the menu
  kHelp,
  kVersion,
  kCount,
  kSearch,
  kRandom,
  kExport,
  kImport,
  kAdd,
  kUsageError,  ///< the arguments could not be understood: `error` says why
};

/// The arguments, understood.
struct CommandLine {
  Request request = Request::kInteractive;
  /// The collection's folder (-C), or null for the current directory.
  const char* folder = nullptr;
  /// procurar: the text sought (as typed, in the locale's character set), -i and -a.
  const char* text = nullptr;
  bool ignore_case = false;
  bool ignore_accents = false;
  /// exportar, importar: the format; importar: the file read ("-": standard input).
  EntryFormat format = EntryFormat::kText;
  const char* file = nullptr;
  /// importar: the author of entries that have none (--autor; null when not given), and
  /// whether only to report what would be done (--simular).
  const char* default_author = nullptr;
  bool simulate = false;
  /// adicionar: the quotation and the author (as typed, in the locale's character set).
  const char* quote = nullptr;
  const char* author = nullptr;
  /// kUsageError: what was wrong (code page 850), and the argument it was about (as
  /// typed; empty when none).
  std::string error;
  std::string error_argument;
};

/// Reads the arguments (argv[1] to argv[argc - 1]). Options may stand before or after the
/// verb and its operands; "--" ends them. A verb is recognised in the position of the
/// first operand only.
CommandLine parse_command_line(int argc, const char* const argv[]);
