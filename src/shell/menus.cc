// The main menu, the continuation prompt and the credits screen.
#include "console.h"
#include "cp850.h"
#include "shell.h"

int menu() {
  console::clear_screen();
  console::out(
      "\tMenu Principal\n\n\t1)Adicionar entrada\n\t2)Procurar entradas\n\t3)Eliminar entrada\n"
      "\t4)Substituir entrada\n\n\n\t5)História da Sessão Actual\n\n\n"
      "\t6)Criar uma cópia do ficheiro de citações\n\t7)Recuperar original apartir da cópia\n\n"
      "\t8)Recuperação urgente do ficheiro de citações\n\n\t9)Teste de memória\n"
      "\t10)Sobre o autor...\n\n\n\t0)Sair\n\n\nOpção: "_cp);
  int option = -1;  // no number typed: an option that selects nothing
  console::read_number(option);
  console::clear_screen();
  return option;
}

int menu2() {
  console::clear_screen();
  console::out(
      "\n\nPara continuar prima 1\nPara voltar ao menu anterior prima 2\nPara sair introduzir 0"
      "\n\n\nOpção: "_cp);
  int answer = 2;  // no number typed: back to the main menu
  console::read_number(answer);
  console::clear_screen();
  return answer;
}

bool continue_dialogue() {
  int answer = menu2();
  if (answer == 0) exit_program(0);
  return answer == 1;
}

void about_author() {
  console::out(
      "\n\n\tSobre o autor...\n\n\ttalvo - colecção pessoal de citações\n\n"
      "\tPrima Enter para voltar ao menu principal."_cp);
  console::wait();
}
