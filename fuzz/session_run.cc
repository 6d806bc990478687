// One run of the real program, bounded in time.
#include "session_run.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include "store_scan.h"

namespace fuzzcheck {

namespace {

/// Starts the program with files in place of its standard streams (or with no standard
/// output at all), in its directory.
/// posix_spawn, not fork: a sanitized fuzzer is a large process to copy.
pid_t start_program(const SessionSetup& setup, const std::string& in, const std::string& out,
                    const std::string& err) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
  if (setup.stdout_closed)
    posix_spawn_file_actions_addclose(&actions, 1);
  else
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addchdir_np(&actions, setup.dir.c_str());

  std::vector<std::string> env = {"PATH=/nonexistent", "LC_ALL=C", "TZ=UTC"};
  if (!setup.leak_check) env.push_back("ASAN_OPTIONS=detect_leaks=0");
  if (!setup.coverage.empty()) env.push_back("TALVO_COVERAGE_FILE=" + setup.coverage);
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  char name[] = "talvo";
  char* argv[] = {name, nullptr};

  pid_t pid = -1;
  int failed = posix_spawn(&pid, setup.program.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) fail("cannot start " + setup.program);
  return pid;
}

double now() {
  timespec t{};
  ::clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

/// Waits for the child to end, at most `seconds`: true when it ended (status reaped).
bool wait_for(pid_t pid, int seconds, int* wstatus) {
  // A process descriptor wakes us the moment the child ends; without one, poll.
  int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  if (pidfd >= 0) {
    pollfd p{pidfd, POLLIN, 0};
    int ready;
    do {
      ready = ::poll(&p, 1, seconds * 1000);
    } while (ready < 0 && errno == EINTR);
    ::close(pidfd);
    if (ready == 0) return false;
    return ::waitpid(pid, wstatus, 0) == pid;
  }
  const double deadline = now() + seconds;
  for (timespec pause{0, 200 * 1000};;) {
    pid_t done = ::waitpid(pid, wstatus, WNOHANG);
    if (done == pid) return true;
    if (done < 0) fail("lost the program's process");
    if (now() > deadline) return false;
    ::nanosleep(&pause, nullptr);
    if (pause.tv_nsec < 5 * 1000 * 1000) pause.tv_nsec *= 2;
  }
}

}  // namespace

SessionRun run_session(const SessionSetup& setup, const std::string& input) {
  const std::string in = setup.dir + "/../stdin", out = setup.dir + "/../stdout",
                    err = setup.dir + "/../stderr";
  write_bytes(in, input);
  ::unlink(out.c_str());  // a closed output leaves none
  pid_t pid = start_program(setup, in, out, err);

  SessionRun run;
  int wstatus = 0;
  if (!wait_for(pid, setup.seconds, &wstatus)) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &wstatus, 0);
    run.timed_out = true;
  }
  if (WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
  run.signalled = WIFSIGNALED(wstatus);
  run.out = read_bytes(out);
  run.err = read_bytes(err);
  return run;
}

void empty_directory(const std::string& dir) {
  DIR* d = ::opendir(dir.c_str());
  if (d == nullptr) fail("cannot list " + dir);
  std::vector<std::string> names;
  while (dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(d);
  for (const auto& name : names) {
    std::error_code error;
    std::filesystem::remove_all(dir + "/" + name, error);
    if (error) fail("cannot remove " + name);
  }
}

}  // namespace fuzzcheck
