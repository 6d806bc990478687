// Fuzz builds only: at exit, the program writes its edge counters to the file named by
// TALVO_COVERAGE_FILE, so the session fuzzer that ran it can be guided by its coverage.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

namespace {

const char* counters_begin = nullptr;
const char* counters_end = nullptr;

/// Writes the counters out whole; a run without the variable writes nothing.
void hand_over_counters() {
  const char* path = std::getenv("TALVO_COVERAGE_FILE");
  if (path == nullptr || counters_begin == nullptr) return;
  int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (fd < 0) return;
  for (const char* p = counters_begin; p < counters_end;) {
    ssize_t n = ::write(fd, p, static_cast<std::size_t>(counters_end - p));
    if (n <= 0) break;
    p += n;
  }
  ::close(fd);
}

}  // namespace

/// Called by the coverage instrumentation, before main, with the program's counters.
extern "C" void __sanitizer_cov_8bit_counters_init(char* begin, char* end) {
  if (counters_begin != nullptr) return;  // one module: the program itself
  counters_begin = begin;
  counters_end = end;
  std::atexit(hand_over_counters);
}
