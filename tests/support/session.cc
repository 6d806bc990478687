// Test support: runs of the real binary, and the screens every test expects.
#include "session.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace talvo_test {

namespace {

/// One start of the program under test, with `input` on its standard input.
Outcome run_once(const ScratchDir& dir, const std::vector<std::string>& args,
                 const std::string& input, const std::map<std::string, std::string>& env) {
  std::string in_path = dir.data() + "/../stdin", out_path = dir.data() + "/../stdout",
              err_path = dir.data() + "/../stderr";
  write_path(in_path, input);
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
    exec_talvo(argv.data());
  }
  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  Outcome run;
  run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
  run.out = read_path(out_path).value_or("");
  run.err = read_path(err_path).value_or("");
  return run;
}

}  // namespace

Outcome run_talvo_with(const ScratchDir& dir, const std::vector<std::string>& args,
                       const std::string& input, const std::map<std::string, std::string>& env) {
  Outcome run = run_once(dir, args, input, env);
  // Now and then Wine ends a program it has just started with status 1 before the program
  // has printed anything or changed a file (seen in 3 of 20 runs of the suite under Wine,
  // each time in a different test). The program ends so on its own only after a search
  // that found nothing, which only reads: such a run is started once more, and a second
  // start that ends otherwise is noted in the log.
  if (under_wine() && run.status == 1 && run.out.empty() && run.err.empty()) {
    Outcome again = run_once(dir, args, input, env);
    if (again.status != run.status || !again.out.empty() || !again.err.empty())
      std::fprintf(stderr, "Wine ended talvo.exe at its start with status 1: started again\n");
    return again;
  }
  return run;
}

Outcome run_talvo(const ScratchDir& dir, const std::string& input,
              const std::map<std::string, std::string>& env) {
  return run_talvo_with(dir, {}, input, env);
}

void exec_talvo(char* const argv[]) {
  char name[] = "talvo";
  char* const alone[] = {name, nullptr};
  execv(talvo_binary().c_str(), argv != nullptr ? argv : alone);
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
