// procurar: every entry that the search listing would find for the same text.
#include <string>

#include "cp850.h"
#include "data_files.h"
#include "entry_formats.h"
#include "entry_text.h"
#include "incoming_entry.h"
#include "record_reader.h"
#include "search.h"
#include "verbs.h"

int search_verb(const CommandLine& line, Charset charset) {
  // The text as the console would have taken it: code page 850, whole.
  std::u32string typed;
  if (!unicode::decode(line.text, charset, typed))
    return usage_error(charset, "o texto a procurar não é UTF-8 válido"_cp);
  std::string search;
  char32_t refused = 0;
  if (!to_cp850(typed, TextField::kSearch, search, refused))
    return usage_error(charset, std::string(kNotAdmitted) + ": ",
                       describe_character(refused, charset));
  const MatchTest test(search, line.ignore_case, line.ignore_accents);

  FileIn store(kStoreFile);
  if (!store_opened(store, charset)) return 2;
  flushin(store);  // the header line, as the listing skips it
  VerbOutput out(charset);
  EntryWriter writer(out, EntryFormat::kText);
  EntryReader entries(store);
  FoundEntry found;
  bool any = false;
  while (!out.failed() && entries.next(found)) {
    if (!test.holds(found.entry.quote, found.entry.author)) continue;
    writer.put(found.entry.quote, found.entry.author);
    any = true;
  }
  if (entries.failed()) return store_read_failed(charset);
  return finish_output(out, any ? 0 : 1);
}
