// The program's arguments on Windows: taken from the wide command line.
#include "program_arguments.h"

#include <windows.h>
#include <shellapi.h>

#include "unicode.h"
#include "wide_text.h"

namespace {

/// One wide argument in the verbs' text.
std::string in_verb_text(const wchar_t* wide, Charset charset) {
  const int units = static_cast<int>(wcslen(wide));
  std::string text;
  if (charset == Charset::kUtf8) {
    int size = WideCharToMultiByte(CP_UTF8, 0, wide, units, nullptr, 0, nullptr, nullptr);
    text.resize(static_cast<std::size_t>(size > 0 ? size : 0));
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, wide, units, text.data(), size, nullptr, nullptr);
  } else {
    wide_text::Narrower narrower;
    text.resize(static_cast<std::size_t>(units) + wide_text::Narrower::kExtra);
    auto* out = reinterpret_cast<unsigned char*>(text.data());
    std::size_t n = narrower.feed(reinterpret_cast<const char16_t*>(wide), units, out);
    n += narrower.finish(out + n);
    text.resize(n);
  }
  return text;
}

}  // namespace

ProgramArguments::ProgramArguments(int argc, char* argv[]) {
  int count = 0;
  if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    const Charset charset = unicode::locale_charset();
    for (int i = 0; i < count; ++i) held_.push_back(in_verb_text(wide[i], charset));
    LocalFree(wide);
  }
  if (held_.empty())  // the wide command line could not be read: the bytes as given
    for (int i = 0; i < argc; ++i) held_.emplace_back(argv[i]);
  point_at_held();
}
