// The program's arguments on POSIX systems: the bytes as given.
#include "program_arguments.h"

ProgramArguments::ProgramArguments(int argc, char* argv[]) {
  for (int i = 0; i < argc; ++i) held_.emplace_back(argv[i]);
  point_at_held();
}
