// exportar: every entry of the store, in store order, in the chosen format.
#include "data_files.h"
#include "entry_formats.h"
#include "entry_reader.h"
#include "record_reader.h"
#include "verbs.h"

int export_verb(const CommandLine& line, Charset charset) {
  FileIn store(kStoreFile);
  if (!store_opened(store, charset)) return 2;
  skip_store_header(store);  // as the count does: contar tells how many are exported
  VerbOutput out(charset);
  EntryWriter writer(out, line.format);
  EntryReader entries(store);
  FoundEntry found;
  while (!out.failed() && entries.next(found)) writer.put(found.entry.quote, found.entry.author);
  if (entries.failed()) return store_read_failed(charset);
  writer.finish();
  return finish_output(out, 0);
}
