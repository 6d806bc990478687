// Test support: scratch directories and runs of the real binary.
#include "session.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace talvo_test {

ScratchDir::ScratchDir() {
  char pattern[] = "/tmp/talvo-test-XXXXXX";
  root_ = mkdtemp(pattern);
  data_ = root_ + "/data";
  bin_ = root_ + "/bin";
  mkdir(data_.c_str(), 0755);
  mkdir(bin_.c_str(), 0755);
  std::ofstream cls(bin_ + "/cls");
  cls << "#!/bin/sh\nprintf '[CLS]'\n";
  cls.close();
  chmod((bin_ + "/cls").c_str(), 0755);
}

ScratchDir::~ScratchDir() {
  std::string command = "rm -rf '" + root_ + "'";
  if (std::system(command.c_str()) != 0) {
    // a leftover scratch directory under /tmp is harmless
  }
}

void ScratchDir::write(const std::string& name, const std::string& bytes) const {
  std::ofstream file(data_ + "/" + name, std::ios::binary | std::ios::trunc);
  file << bytes;
}

std::optional<std::string> ScratchDir::read(const std::string& name) const {
  std::ifstream file(data_ + "/" + name, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::string ScratchDir::listing() const {
  std::vector<std::string> names;
  if (DIR* d = opendir(data_.c_str())) {
    while (dirent* e = readdir(d))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.push_back(e->d_name);
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  std::string joined;
  for (const auto& n : names) joined += (joined.empty() ? "" : " ") + n;
  return joined;
}

namespace {

/// The bytes of a file (empty when there is none).
std::string slurp(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

}  // namespace

Outcome run_talvo_with(const ScratchDir& dir, const std::vector<std::string>& args,
                       const std::string& input, const std::map<std::string, std::string>& env) {
  std::string in_path = dir.data() + "/../stdin", out_path = dir.data() + "/../stdout",
              err_path = dir.data() + "/../stderr";
  {
    std::ofstream in(in_path, std::ios::binary);
    in << input;
  }
  std::vector<char*> argv;
  std::string name = "talvo";
  argv.push_back(name.data());
  std::vector<std::string> copies = args;
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    int in_fd = open(in_path.c_str(), O_RDONLY);
    int out_fd = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err_fd = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(in_fd, 0);
    dup2(out_fd, 1);
    dup2(err_fd, 2);
    if (chdir(dir.data().c_str()) != 0) _exit(127);
    std::string path = dir.bin() + ":/usr/bin:/bin";
    setenv("PATH", path.c_str(), 1);
    setenv("TZ", "UTC", 1);
    setenv("LC_ALL", "C", 1);
    for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
    execv(TALVO_BINARY, argv.data());
    _exit(127);
  }
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  Outcome run;
  run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
  run.out = slurp(out_path);
  run.err = slurp(err_path);
  return run;
}

Outcome run_talvo(const ScratchDir& dir, const std::string& input,
              const std::map<std::string, std::string>& env) {
  return run_talvo_with(dir, {}, input, env);
}

std::string menu_screen() {
  return kCls +
         "\tMenu Principal\n\n\t1)Adicionar entrada\n\t2)Procurar entradas\n\t3)Eliminar entrada\n"
         "\t4)Substituir entrada\n\n\n\t5)História da Sessão Actual\n\n\n"
         "\t6)Criar uma cópia do ficheiro de citações\n\t7)Recuperar original apartir da cópia\n\n"
         "\t8)Recuperação urgente do ficheiro de citações\n\n\t9)Teste de memória\n"
         "\t10)Sobre o autor...\n\n\n\t0)Sair\n\n\nOpção: "_cp +
         kCls;
}

std::string continuation_screen() {
  return kCls +
         "\n\nPara continuar prima 1\nPara voltar ao menu anterior prima 2\nPara sair introduzir 0"
         "\n\n\nOpção: "_cp +
         kCls;
}

std::string fail_io_library() { return FAIL_IO_LIBRARY; }

std::string talvo_binary() { return TALVO_BINARY; }

}  // namespace talvo_test
