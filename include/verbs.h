// The command line's requests other than the interactive program: help, version, verbs.
#pragma once

#include "command_line.h"
#include "cp850.h"
#include "file_io.h"
#include "verb_text.h"

/// What a verb says when its output cannot be written (code page 850).
inline constexpr const char* kCannotWriteOutput = "Erro: Impossibilidade em escrever na saída"_cp;

class StoreAdditions;

/// What run_arguments returns when the interactive program is to run.
inline constexpr int kRunInteractive = -1;

/// Does what the arguments ask: enters the collection's folder (-C) whatever the request,
/// then prints the help, the version or a usage error, or runs a verb. Returns the exit
/// status, or kRunInteractive when the interactive program is to run (in that folder).
/// When standard output was closed at start (`output_closed`), the help, the version
/// and every verb say so on standard error and end with status 2, having done nothing.
int run_arguments(const CommandLine& line, bool output_closed = false);

/// Says on standard error what was wrong with the arguments (code page 850, then
/// `argument` already in `charset`), and where to learn more; returns 2.
int usage_error(Charset charset, std::string_view why, std::string_view argument = {});

/// The usage text (--help), code page 850.
const char* usage_text();
/// The version line (--version), "talvo " and the version.
const char* version_line();

/// contar: the number of entries and a newline.
int count_verb(Charset charset);
/// procurar: every entry whose quotation or author holds the text.
int search_verb(const CommandLine& line, Charset charset);
/// aleatoria: one entry chosen uniformly at random, in one pass.
int random_verb(Charset charset);
/// exportar: every entry, in store order, in the chosen format.
int export_verb(const CommandLine& line, Charset charset);
/// importar: the entries of a file added to the collection.
int import_verb(const CommandLine& line, Charset charset);
/// adicionar: one entry from the arguments added to the collection.
int add_verb(const CommandLine& line, Charset charset);

/// Whether the store a verb opened for reading is open; when it is not, says why on
/// standard error (no collection here, or a store that cannot be opened).
bool store_opened(const FileIn& store, Charset charset);
/// Reads the store's entries for additions (importar, adicionar): 0 when they are known,
/// else says why not on standard error and returns 2.
int open_store(StoreAdditions& store, Charset charset);
/// Says on standard error that the store could not be read whole; returns 2.
int store_read_failed(Charset charset);
/// Hands out the verb's output: `status` when it is all out (or its reader has gone),
/// else says so on standard error and returns 2.
int finish_output(VerbOutput& out, int status);
