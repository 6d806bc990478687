// The formats the verbs write entries in and read them from: texto, fortune and json.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "verb_text.h"

/// Writes entries (file code page, as the record reader gives them) to the verbs' output
/// in one format: texto and fortune in the output's character set, json always in UTF-8.
/// Texto keeps the double quotes that delimit a quotation in the store; fortune and json
/// give the text inside them.
class EntryWriter {
 public:
  EntryWriter(VerbOutput& out, EntryFormat format) : out_(out), format_(format) {}
  /// Writes one entry.
  void put(std::string_view quote, std::string_view author);
  /// Writes what closes the entries (json's closing bracket; "[]" when there were none).
  void finish();

 private:
  void put_json_string(std::string_view file);

  VerbOutput& out_;
  EntryFormat format_;
  bool any_ = false;
  std::string json_;
  std::string console_;
};

/// One entry as an input file gives it, in the file's own character set (json: UTF-8),
/// before any check, and where it stands in the file.
struct ReadEntry {
  std::string quote;
  std::string author;
  /// The entry's number in the file (from 1) and the line where it begins.
  int number = 0;
  int line = 0;
  /// Why the entry cannot be taken as it stands, code page 850 (empty when it can): a
  /// fault of this entry only, which leaves the rest of the file readable.
  std::string fault;
};

/// What reading an input file found: its entries, or where and why it is malformed.
struct ReadResult {
  std::vector<ReadEntry> entries;
  /// Empty when the file could be read; otherwise why not (code page 850), and the line.
  std::string malformed;
  int line = 0;
};

/// Reads every entry of `input`, written in `format`.
ReadResult read_entries(std::string_view input, EntryFormat format);
