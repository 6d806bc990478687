// The report of an import, on standard output.
#include "import_report.h"

#include <algorithm>

#include "cp850.h"
#include "entry_text.h"
#include "verb_text.h"

namespace {

/// A json member's name (UTF-8) in the output's character set: a character that code
/// page 850 lacks shows as '?'.
std::string name_text(const std::string& name, Charset charset) {
  if (charset == Charset::kUtf8) return name;
  std::u32string chars;
  unicode::decode(name, Charset::kUtf8, chars);
  std::string out;
  for (char32_t c : chars) {
    char32_t refused = 0;
    if (!to_cp850(std::u32string_view(&c, 1), TextField::kSearch, out, refused)) out += '?';
  }
  return out;
}

}  // namespace

void ImportReport::refused(const std::string& reason) {
  ++refused_;
  auto at = std::find_if(reasons_.begin(), reasons_.end(),
                         [&](const Reason& r) { return r.text == reason; });
  if (at == reasons_.end()) reasons_.push_back({reason, 1});
  else ++at->count;
}

bool ImportReport::write(Charset charset, const std::vector<IgnoredMember>& ignored,
                         bool simulated) const {
  VerbOutput out(charset);
  out.console_text("Importadas: " + std::to_string(imported_) + "; já existentes: "_cp +
                   std::to_string(held_) + "; recusadas: " + std::to_string(refused_) + "\n");
  for (const Reason& reason : reasons_)
    out.console_text("  " + reason.text + ": " + std::to_string(reason.count) + "\n");
  if (replaced_ > 0)
    out.console_text("Com substituições tipográficas: "_cp + std::to_string(replaced_) + "\n");
  if (!ignored.empty()) {
    out.console_text("Campos ignorados: ");
    for (std::size_t i = 0; i < ignored.size(); ++i) {
      if (i > 0) out.console_text(", ");
      out.raw(name_text(ignored[i].name, charset));
      out.console_text(" (" + std::to_string(ignored[i].objects) + ")");
    }
    out.console_text("\n");
  }
  if (simulated) out.console_text("(simulação: nada foi alterado)\n"_cp);
  return out.flush();
}
