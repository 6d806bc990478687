// The program's arguments, as the verbs read them. Where they come from is each
// platform's own (program_arguments_posix.cc, program_arguments_windows.cc).
#include "program_arguments.h"

void ProgramArguments::point_at_held() {
  for (const std::string& argument : held_) pointers_.push_back(argument.c_str());
  pointers_.push_back(nullptr);
}
