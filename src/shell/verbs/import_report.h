// What importar tells of its work: how many entries were imported, already held and
// refused, the refusals by reason, the replacements and the json members passed over.
#pragma once

#include <string>
#include <vector>

#include "entry_formats.h"
#include "unicode.h"

/// The counts of one import, and their report.
class ImportReport {
 public:
  /// An entry was imported; `replaced`: typographic marks were replaced in it.
  void imported(bool replaced) {
    ++imported_;
    replaced_ += replaced;
  }
  /// An entry was already held.
  void held() { ++held_; }
  /// An entry was refused for `reason` (code page 850, without its detail).
  void refused(const std::string& reason);
  bool any_refused() const { return refused_ > 0; }

  /// Writes the report to standard output and hands it out; false when it could not be
  /// written. With `simulated`, a last line says that nothing was changed.
  bool write(Charset charset, const std::vector<IgnoredMember>& ignored, bool simulated) const;

 private:
  struct Reason {
    std::string text;
    int count;
  };
  int imported_ = 0, held_ = 0, refused_ = 0, replaced_ = 0;
  std::vector<Reason> reasons_;  // in the order they first occurred
};
