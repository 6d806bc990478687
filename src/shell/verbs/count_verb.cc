// contar: the number of entries, counted as the count screen counts them.
#include <string>

#include "data_files.h"
#include "store.h"
#include "verbs.h"

int count_verb(Charset charset) {
  FileIn store(kStoreFile);
  if (!store_opened(store, charset)) return 2;
  int count = count_entries(store);
  if (store.failed()) return store_read_failed(charset);
  VerbOutput out(charset);
  out.raw(std::to_string(count) + "\n");
  return finish_output(out, 0);
}
