// Runs of the real program cut short by SIGKILL.
#include "kill_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <fstream>

#include "live_session.h"

namespace reliability {

namespace {

double seconds_since(const timespec& start) {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec - start.tv_sec) +
         static_cast<double>(now.tv_nsec - start.tv_nsec) / 1e9;
}

}  // namespace

Ending run_and_kill(const talvo_test::ScratchDir& dir, const std::string& input, double kill_after) {
  const std::string in_path = dir.data() + "/../kill-stdin";
  {
    std::ofstream in(in_path, std::ios::binary | std::ios::trunc);
    in << input;
  }
  timespec start{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  pid_t pid = fork();
  if (pid == 0) {
    int in_fd = open(in_path.c_str(), O_RDONLY);
    int out_fd = open("/dev/null", O_WRONLY);
    if (in_fd < 0 || out_fd < 0 || dup2(in_fd, 0) < 0 || dup2(out_fd, 1) < 0 ||
        chdir(dir.data().c_str()) != 0)
      _exit(127);
    setenv("PATH", "/usr/bin:/bin", 1);
    setenv("LC_ALL", "C", 1);
    setenv("TZ", "UTC", 1);
    talvo_test::exec_talvo();
  }
  Ending ending;
  if (pid < 0) return ending;
  if (kill_after >= 0) {
    timespec wake = start;
    long long ns = static_cast<long long>(wake.tv_nsec) + static_cast<long long>(kill_after * 1e9);
    wake.tv_sec += static_cast<time_t>(ns / 1000000000);
    wake.tv_nsec = static_cast<long>(ns % 1000000000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &wake, nullptr) != 0) {
    }
    kill(pid, SIGKILL);
  }
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  ending.seconds = seconds_since(start);
  ending.killed = WIFSIGNALED(wstatus) && WTERMSIG(wstatus) == SIGKILL;
  if (WIFEXITED(wstatus)) ending.status = WEXITSTATUS(wstatus);
  return ending;
}

}  // namespace reliability
