// File-layer tests: runs through a shell line, snapshots of the data directory, table rows.
#include "file_cases.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace files_test {

Outcome run_script(const ScratchDir& dir, const std::string& script, const std::string& input,
                   const std::map<std::string, std::string>& env, const std::string& path) {
  const std::string in_path = dir.data() + "/../stdin", out_path = dir.data() + "/../stdout";
  talvo_test::write_path(in_path, input);
  pid_t pid = fork();
  if (pid == 0) {
    signal(SIGPIPE, SIG_DFL);
    int in_fd = open(in_path.c_str(), O_RDONLY);
    int out_fd = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in_fd < 0 || out_fd < 0 || dup2(in_fd, 0) < 0 || dup2(out_fd, 1) < 0) _exit(127);
    if (chdir(dir.data().c_str()) != 0) _exit(127);
    setenv("PATH", (path.empty() ? dir.bin() + ":/usr/bin:/bin" : path).c_str(), 1);
    setenv("TZ", "UTC", 1);
    setenv("LC_ALL", "C", 1);
    setenv("TALVO", talvo_test::talvo_binary().c_str(), 1);
    for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
    execl("/bin/bash", "bash", "-c", script.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  Outcome run;
  run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
  run.out = talvo_test::read_path(out_path).value_or("");
  return run;
}

std::map<std::string, std::string> snapshot(const ScratchDir& dir) {
  std::map<std::string, std::string> files;
  DIR* d = opendir(dir.data().c_str());
  if (d == nullptr) return files;
  while (dirent* e = readdir(d)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    const std::string path = dir.data() + "/" + name;
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      files[name] = "<dir>";
    } else if (S_ISLNK(st.st_mode)) {
      char target[4096];
      ssize_t n = readlink(path.c_str(), target, sizeof target);
      files[name] = "-> " + std::string(target, n > 0 ? static_cast<std::size_t>(n) : 0);
    } else {
      files[name] = dir.read(name).value_or("<unreadable>");
    }
  }
  closedir(d);
  return files;
}

int mode_of(const ScratchDir& dir, const std::string& name) {
  struct stat st {};
  if (stat((dir.data() + "/" + name).c_str(), &st) != 0) return -1;
  return static_cast<int>(st.st_mode & 07777);
}

bool is_link(const ScratchDir& dir, const std::string& name) {
  struct stat st {};
  return lstat((dir.data() + "/" + name).c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

void run_case(const FaultCase& c) {
  SCOPED_TRACE(c.name);
  ScratchDir dir;
  if (c.setup) c.setup(dir);
  Outcome r = run_script(dir, c.script, c.input, c.env, c.path);
  EXPECT_EQ(r.status, c.status);
  if (!c.out_tail.empty()) {
    ASSERT_GE(r.out.size(), c.out_tail.size()) << r.out;
    EXPECT_EQ(r.out.substr(r.out.size() - c.out_tail.size()), c.out_tail);
  }
  if (!c.out_lacks.empty()) {
    EXPECT_EQ(r.out.find(c.out_lacks), std::string::npos);
  }
  if (c.check) c.check(dir);
}

std::map<std::string, std::string> failing(const std::string& variable, const std::string& file) {
  return {{"LD_PRELOAD", talvo_test::fail_io_library()}, {variable, file}};
}

}  // namespace files_test
