// Test support for the command line: runs of talvo with arguments, and stores to run on.
#pragma once

#include <sys/stat.h>

#include <string>
#include <vector>

#include "layouts.h"
#include "session.h"
#include "verb_text.h"

namespace talvo_test {

/// The locale of a run: C, UTF-8, one that does not exist, or none set at all (all but
/// UTF-8 give code page 850 text).
enum class Locale { kC, kUtf8, kMissing, kNone };

/// Runs talvo with `args` in the scratch directory's data folder, `input` on standard input.
inline Outcome run_cli(const ScratchDir& dir, const std::vector<std::string>& args,
                       Locale locale = Locale::kC, const std::string& input = "") {
  std::map<std::string, std::string> env;
  if (locale == Locale::kUtf8) env["LC_ALL"] = "C.UTF-8";
  if (locale == Locale::kMissing) env["LC_ALL"] = "pt_XX.nenhum";
  if (locale == Locale::kNone) env = {{"LC_ALL", ""}, {"LC_CTYPE", ""}, {"LANG", ""}};
  return run_talvo_with(dir, args, input, env);
}

/// Three entries with accented letters, a quotation over two lines and « », as file bytes.
inline const std::vector<Entry> kSample = {
    {"\"A vida \xE9 bela.\"", "Ant\xF3nio"},
    {"\"Dois,\ntr\xEAs: \xABquatro\xBB.\"", "Maria Concei\xE7\xE3o"},
    {"\"Vida sem amor (nada).\"", "Jo\xE3o"},
};

}  // namespace talvo_test
