// The usage text of --help and the version line of --version.
#include "cp850.h"
#include "verbs.h"

#ifndef TALVO_VERSION
#error "TALVO_VERSION comes from the build (the project's version)"
#endif

const char* usage_text() {
  return "Utilização: talvo [-C PASTA]\n"
         "            talvo [-C PASTA] VERBO [ARGUMENTOS]\n"
         "            talvo -h | -V\n"
         "\n"
         "Sem verbo, abre o menu da colecção de citações da pasta (a corrente, ou PASTA).\n"
         "\n"
         "Opções:\n"
         "  -C PASTA, --pasta=PASTA   trabalha na colecção de PASTA, como se lá começasse\n"
         "  -h, --help, --ajuda       mostra esta ajuda\n"
         "  -V, --version, --versao   mostra a versão\n"
         "\n"
         "Verbos:\n"
         "  contar                    escreve o número de entradas\n"
         "  procurar [-i] [-a] TEXTO  escreve as entradas cuja citação ou cujo autor\n"
         "                            contém TEXTO; com -i, sem distinção de maiúsculas\n"
         "                            e minúsculas; com -a, sem distinção de acentos\n"
         "  aleatoria, aleatória      escreve uma entrada escolhida ao acaso\n"
         "  exportar [--formato=F]    escreve todas as entradas, pela ordem da colecção\n"
         "  importar [--formato=F] [--autor=AUTOR] [--simular] FICHEIRO\n"
         "                            junta à colecção as entradas de FICHEIRO (- para a\n"
         "                            entrada padrão) que ela ainda não tem, todas ou\n"
         "                            nenhuma; --autor dá AUTOR às que não têm autor;\n"
         "                            --simular diz o que faria e não muda nada\n"
         "  adicionar CITAÇÃO AUTOR   junta à colecção uma entrada\n"
         "\n"
         "Formatos (F): texto (o predefinido), fortune, json (sempre UTF-8).\n"
         "O texto lido e escrito é UTF-8 se o locale o for; senão, página de código 850.\n"
         "Um carácter que a página de código 850 não tem, ou de controlo, é recusado.\n"
         "\n"
         "Estado de saída:\n"
         "  0    tudo correu bem; procurar encontrou alguma entrada\n"
         "  1    procurar não encontrou nenhuma; aleatoria numa colecção sem entradas;\n"
         "       importar recusou alguma entrada; adicionar recusou a entrada ou ela já\n"
         "       existia\n"
         "  2    erro: argumentos errados, colecção que não existe ou não se lê,\n"
         "       ficheiro a importar ilegível ou mal formado, colecção aberta noutro\n"
         "       talvo\n"
         "  255  erro fatal no menu\n"_cp;
}

const char* version_line() { return "talvo " TALVO_VERSION "\n"; }
