// Test support: the real talvo run on a pseudo-terminal, driven as a user at the keyboard.
#include "pty_session.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>

#include "session.h"

namespace talvo_test {
namespace {

/// How long the test waits for the program before it gives up.
constexpr int kPatienceMs = 10000;

/// A UTF-8 terminal's settings, less echo and less output post-processing.
termios quiet_terminal(bool lines) {
  termios mode{};
  cfmakeraw(&mode);
  mode.c_iflag |= ICRNL | IUTF8;
  mode.c_lflag |= ISIG | (lines ? ICANON : 0);
  mode.c_cflag |= CS8 | CREAD;
  mode.c_cc[VMIN] = 1;
  mode.c_cc[VEOF] = 4;  // Ctrl-D
  mode.c_cc[VINTR] = 3;
  return mode;
}

/// In the child: the environment replaced whole, then talvo run in `directory`.
[[noreturn]] void exec_in(const std::string& directory, const std::map<std::string, std::string>& env) {
  if (chdir(directory.c_str()) != 0) _exit(127);
  clearenv();
  for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
  talvo_test::exec_talvo();
}

}  // namespace

PtySession::PtySession(const std::string& directory, const std::map<std::string, std::string>& env,
                       bool lines) {
  termios mode = quiet_terminal(lines);
  winsize size{24, 80, 0, 0};
  pid_ = forkpty(&master_, nullptr, &mode, &size);
  if (pid_ == 0) exec_in(directory, env);
  if (pid_ < 0) ADD_FAILURE() << "forkpty failed: " << errno;
}

PtySession::~PtySession() {
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  if (master_ >= 0) close(master_);
}

bool PtySession::read_some(int timeout_ms) {
  pollfd ready{master_, POLLIN, 0};
  if (master_ < 0 || poll(&ready, 1, timeout_ms) <= 0) return false;
  char bytes[4096];
  ssize_t n = read(master_, bytes, sizeof bytes);
  if (n <= 0) return false;  // EIO once the program has gone
  transcript_.append(bytes, static_cast<std::size_t>(n));
  return true;
}

std::string PtySession::expect(const std::string& text) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatienceMs);
  std::size_t found;
  while ((found = transcript_.find(text, seen_)) == std::string::npos) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || !read_some(static_cast<int>(left.count()))) {
      ADD_FAILURE() << "never saw \"" << text << "\"; got: " << transcript_.substr(seen_);
      return {};
    }
  }
  std::string arrived = transcript_.substr(seen_, found + text.size() - seen_);
  seen_ = found + text.size();
  return arrived;
}

void PtySession::type(const std::string& bytes) {
  if (master_ < 0 || write(master_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
    ADD_FAILURE() << "could not type \"" << bytes << "\"";
}

int PtySession::finish() {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatienceMs);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      while (read_some(100)) {
      }
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    read_some(100);
  }
  ADD_FAILURE() << "talvo did not end";
  return -1;
}

}  // namespace talvo_test
