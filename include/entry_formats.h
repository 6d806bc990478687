// The formats the verbs write entries in and read them from: texto, fortune and json.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "command_line.h"
#include "file_io.h"
#include "unicode.h"
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
  std::string utf8_;
};

/// One entry as an input file gives it, in the file's own character set (json: UTF-8),
/// before any check, and where it stands in the file.
struct ReadEntry {
  std::string quote;
  std::string author;
  /// The entry's number in the file (from 1) and the line where it begins.
  int number = 0;
  int line = 0;
  /// The entry was too long to be held whole: `quote` holds only its first lines, as
  /// they stand, and `author` is empty.
  bool cut = false;
};

/// A member of json objects that entries do not read, and how many objects held it.
struct IgnoredMember {
  std::string name;  ///< UTF-8
  int objects = 0;
};

class FormatReader;
class InputLines;

/// The entries of an input in one format, read one at a time from a piece of the input
/// at a time: the input is never held whole. A UTF-8 byte order mark is skipped (and makes
/// texto and fortune UTF-8), CR LF ends a line like LF.
class EntrySource {
 public:
  /// Reads the file open at `in`; texto and fortune are in `charset`, json always UTF-8.
  EntrySource(FileIn& in, EntryFormat format, Charset charset);
  /// Reads the text `text`, held by the caller.
  EntrySource(std::string_view text, EntryFormat format, Charset charset);
  ~EntrySource();
  EntrySource(const EntrySource&) = delete;
  EntrySource& operator=(const EntrySource&) = delete;

  /// The next entry; false at the end of the input, or when it cannot be read (failed(),
  /// or malformed() says why).
  bool next(ReadEntry& entry);
  /// Why the input is malformed (code page 850), or null; line() tells where.
  const char* malformed() const { return malformed_; }
  int line() const;
  /// Whether a read of the file failed.
  bool failed() const;
  /// The input's character set, known once the first entry has been asked for.
  Charset charset() const;
  /// The json members not read, in the order they were first met.
  const std::vector<IgnoredMember>& ignored() const;

 private:
  std::unique_ptr<InputLines> lines_;
  std::unique_ptr<FormatReader> reader_;
  const char* malformed_ = nullptr;
  int count_ = 0;
};

/// What reading a whole input found: its entries, or where and why it is malformed.
struct ReadResult {
  std::vector<ReadEntry> entries;
  /// Empty when the file could be read; otherwise why not (code page 850), and the line.
  std::string malformed;
  int line = 0;
  std::vector<IgnoredMember> ignored;
};

/// Reads every entry of `input`, written in `format` (texto and fortune in `charset`).
ReadResult read_entries(std::string_view input, EntryFormat format,
                        Charset charset = Charset::kCp850);
