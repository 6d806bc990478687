// The program's arguments, as the verbs read them.
#pragma once

#include <string>
#include <vector>

/// The arguments the program was started with, program name first. Elsewhere they are the
/// bytes as given; on Windows, where arguments are Unicode, each is taken from the wide
/// command line and written in the verbs' text: UTF-8, or code page 850 with '?' for a
/// character that it lacks.
class ProgramArguments {
 public:
  ProgramArguments(int argc, char* argv[]);
  ProgramArguments(const ProgramArguments&) = delete;
  ProgramArguments& operator=(const ProgramArguments&) = delete;

  /// How many there are, the program name included.
  int count() const { return static_cast<int>(held_.size()); }
  /// Each of them, NUL-terminated, then a null pointer.
  const char* const* values() const { return pointers_.data(); }

 private:
  /// Fills the pointers values() hands out, once the arguments are held.
  void point_at_held();

  std::vector<std::string> held_;
  std::vector<const char*> pointers_;
};
