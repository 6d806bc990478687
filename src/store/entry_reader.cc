// The one reader of entries, with where each lies in its file.
#include "entry_reader.h"

#include "record_reader.h"

bool EntryReader::next(FoundEntry& found, Keep keep) {
  found.walked_over = false;
  const bool whole = keep == Keep::kWhole;
  for (;;) {
    int got = getquot(in_, found.entry.quote, &found.span.begin, whole);
    if (got < 0) return false;
    if (got == 0) {
      found.walked_over = true;
      continue;
    }
    // Without the text, the author line is read into a field with room for nothing.
    found.author_cut =
        read_line(in_, found.entry.author, whole ? kAuthorSize : 1) == scan::Line::kAtEnd;
    if (found.author_cut) {
      found.entry.author[0] = '\0';
      if (in_.failed()) return false;
      found.span.end = in_.offset();
      return true;
    }
    // The author line's newline belongs to the entry; it is looked at and left in place.
    int after = in_.get();
    found.span.end = in_.offset() - (after == '\n' || after < 0 ? 0 : 1);
    in_.unget(after);
    return !(after < 0 && in_.failed());
  }
}
