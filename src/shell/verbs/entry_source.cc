// An input's entries, one at a time: the format's reader over the input's lines.
#include <algorithm>

#include "entry_formats.h"
#include "format_readers.h"
#include "input_lines.h"

namespace {

/// The reader of `format`.
std::unique_ptr<FormatReader> reader_of(EntryFormat format) {
  switch (format) {
    case EntryFormat::kFortune: return fortune_reader();
    case EntryFormat::kJson: return json_reader();
    case EntryFormat::kText: break;
  }
  return text_reader();
}

}  // namespace

EntrySource::EntrySource(FileIn& in, EntryFormat format, Charset charset)
    : lines_(std::make_unique<InputLines>(
          in, format == EntryFormat::kJson || charset == Charset::kUtf8)),
      reader_(reader_of(format)) {}

EntrySource::EntrySource(std::string_view text, EntryFormat format, Charset charset)
    : lines_(std::make_unique<InputLines>(
          text, format == EntryFormat::kJson || charset == Charset::kUtf8)),
      reader_(reader_of(format)) {}

EntrySource::~EntrySource() = default;

bool EntrySource::next(ReadEntry& entry) {
  if (malformed_ != nullptr) return false;
  entry.quote.clear();
  entry.author.clear();
  entry.cut = false;
  const bool got = reader_->next(*lines_, entry, malformed_);
  if (malformed_ == nullptr) malformed_ = lines_->malformed();
  if (!got || malformed_ != nullptr || lines_->failed()) return false;
  entry.number = ++count_;
  return true;
}

int EntrySource::line() const {
  return std::max(lines_->number(), 1);
}  // an empty input: its first line
bool EntrySource::failed() const { return lines_->failed(); }
Charset EntrySource::charset() const { return lines_->utf8() ? Charset::kUtf8 : Charset::kCp850; }
const std::vector<IgnoredMember>& EntrySource::ignored() const { return reader_->ignored(); }

ReadResult read_entries(std::string_view input, EntryFormat format, Charset charset) {
  ReadResult result;
  EntrySource source(input, format, charset);
  ReadEntry entry;
  while (source.next(entry)) result.entries.push_back(entry);
  if (source.malformed() != nullptr) {
    result.entries.clear();
    result.malformed = source.malformed();
    result.line = source.line();
  }
  result.ignored = source.ignored();
  return result;
}
