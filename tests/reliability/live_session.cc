// The real program run over pipes.
#include "live_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace reliability {

LiveSession::LiveSession(const talvo_test::ScratchDir& dir,
                         const std::map<std::string, std::string>& env) {
  // A program that has ended must not take the test down when the test types on.
  signal(SIGPIPE, SIG_IGN);
  int in[2], out[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    signal(SIGPIPE, SIG_DFL);
    if (dup2(in[0], 0) < 0 || dup2(out[1], 1) < 0 || chdir(dir.data().c_str()) != 0) _exit(127);
    setenv("PATH", "/usr/bin:/bin", 1);
    setenv("LC_ALL", "C", 1);
    setenv("TZ", "UTC", 1);
    for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
    talvo_test::exec_talvo();
  }
  close(in[0]);
  close(out[1]);
  to_program_ = in[1];
  from_program_ = out[0];
}

LiveSession::~LiveSession() {
  if (to_program_ >= 0) close(to_program_);
  if (from_program_ >= 0) close(from_program_);
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
}

void LiveSession::send(const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(to_program_, text.data() + done, text.size() - done);
    if (n <= 0) return;  // it has ended; what it printed tells the test
    done += static_cast<std::size_t>(n);
  }
}

bool LiveSession::read_some(int timeout_ms) {
  pollfd p{from_program_, POLLIN, 0};
  if (poll(&p, 1, timeout_ms) <= 0) return false;
  char buffer[4096];
  ssize_t n = read(from_program_, buffer, sizeof buffer);
  if (n <= 0) return false;
  out_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

bool LiveSession::wait_for(const std::string& text) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  for (;;) {
    std::size_t at = out_.find(text, searched_);
    if (at != std::string::npos) {
      searched_ = at + text.size();
      return true;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || !read_some(static_cast<int>(left.count()))) return false;
  }
}

int LiveSession::finish() {
  if (to_program_ >= 0) close(to_program_);
  to_program_ = -1;
  while (read_some(10000)) {
  }
  int wstatus = 0;
  if (pid_ <= 0 || waitpid(pid_, &wstatus, 0) != pid_) return -1;
  pid_ = -1;
  return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
}

}  // namespace reliability
