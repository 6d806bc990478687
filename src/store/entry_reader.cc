// The one reader of entries, with where each lies in its file.
#include "entry_reader.h"

#include "file_errors.h"
#include "store.h"

bool EntryReader::at_end() {
  if (in_.failed() && on_error_ == OnReadError::kFatal) cannot_read_file(name_);
  return false;
}

bool EntryReader::next(FoundEntry& found, Keep keep) {
  found.walked_over = false;
  const bool whole = keep == Keep::kWhole;
  for (;;) {
    int got = getquot(in_, found.entry.quote, &found.span.begin, whole);
    if (got < 0) return at_end();
    if (got == 0) {
      found.walked_over = true;
      continue;
    }
    // Without the text, the author line is read into a field with room for nothing.
    found.author_cut =
        read_line(in_, found.entry.author, whole ? kAuthorSize : 1) == scan::Line::kAtEnd;
    if (found.author_cut) {
      found.entry.author[0] = '\0';
      if (in_.failed()) return at_end();
      found.span.end = in_.offset();
      return true;
    }
    // The author line's newline belongs to the entry; it is looked at and left in place.
    int after = in_.get();
    found.span.end = in_.offset() - (after == '\n' || after < 0 ? 0 : 1);
    in_.unget(after);
    if (after < 0 && in_.failed()) return at_end();
    return true;
  }
}
