// Test support: runs of the real binary, and the screens every test expects.
#include "session.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace talvo_test {

Outcome run_talvo(const ScratchDir& dir, const std::string& input,
              const std::map<std::string, std::string>& env) {
  std::string in_path = dir.data() + "/../stdin", out_path = dir.data() + "/../stdout";
  {
    std::ofstream in(in_path, std::ios::binary);
    in << input;
  }
  pid_t pid = fork();
  if (pid == 0) {
    int in_fd = open(in_path.c_str(), O_RDONLY);
    int out_fd = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(in_fd, 0);
    dup2(out_fd, 1);
    if (chdir(dir.data().c_str()) != 0) _exit(127);
    std::string path = dir.bin() + ":/usr/bin:/bin";
    setenv("PATH", path.c_str(), 1);
    setenv("TZ", "UTC", 1);
    setenv("LC_ALL", "C", 1);
    for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
    exec_talvo();
  }
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  Outcome run;
  run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
  std::ifstream out(out_path, std::ios::binary);
  std::ostringstream bytes;
  bytes << out.rdbuf();
  run.out = bytes.str();
  return run;
}

void exec_talvo() {
  const char* program = under_wine() ? WINE_TALVO : TALVO_BINARY;
  execl(program, "talvo", static_cast<char*>(nullptr));
  _exit(127);
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

std::string talvo_binary() { return under_wine() ? WINE_TALVO : TALVO_BINARY; }

}  // namespace talvo_test
