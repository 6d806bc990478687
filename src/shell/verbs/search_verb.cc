// procurar: every entry that the search listing would find for the same text.
#include <cstring>
#include <string>

#include "data_files.h"
#include "entry_formats.h"
#include "search.h"
#include "store.h"
#include "verbs.h"

int search_verb(const CommandLine& line, Charset charset) {
  // The text as the console would have taken it: code page 850, cut to the search field.
  std::string typed = text_to_console(line.text, charset);
  char search[kSearchSize];
  std::size_t length = std::min(typed.size(), kSearchSize - 1);
  std::memcpy(search, typed.data(), length);
  search[length] = '\0';
  const MatchTest test(search, line.ignore_case);

  FileIn store(kStoreFile);
  if (!store_opened(store, charset)) return 2;
  flushin(store);  // the header line, as the listing skips it
  VerbOutput out(charset);
  EntryWriter writer(out, EntryFormat::kText);
  EntryReader entries(store, kStoreFile, OnReadError::kReport);
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
