// The console's Windows parts: `cls`, the command interpreter's own command.
#include "console_platform.h"

#include <cstdlib>
#include <string>

namespace console::platform {

std::string find_cls() {
  return "cls";  // the command interpreter's own: always there
}

void run_cls(const std::string& cls_path) {
  (void)cls_path;  // the command interpreter finds its own
  if (std::system("cls") == -1) {
    // the screen is simply not cleared
  }
}

}  // namespace console::platform
