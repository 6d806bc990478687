// The program's frame: main menu, continuation prompt, credits and the orderly end.
#pragma once

/// Shows the main menu and returns the number typed (-1 when no number was typed).
int menu();
/// Shows the continuation prompt and returns the number typed (2 when none was typed).
int menu2();
/// The continuation prompt as the dialogues use it: true on 1 (repeat the dialogue),
/// ends the program on 0, false on anything else (back to the main menu).
bool continue_dialogue();
/// The credits screen.
void about_author();

/// Readies the process before anything else: each closed standard stream is opened on
/// /dev/null, and SIGPIPE is ignored (a closed output is then a failed write). Whether
/// standard output was closed (and now writes nowhere).
bool prepare_process();

/// How the program is ending: carried from wherever the end comes to the entry point,
/// so that a dialogue with something to put back on the way (an unfinished replace)
/// can do so first.
struct ProgramEnd {
  int status;
};

/// Ends the program with `status` (0 clean, -1 fatal): unwinds to the entry point, which
/// calls end_program.
[[noreturn]] void exit_program(int status);
/// The orderly end: removes the session journals, refreshes the safety copy when
/// `status` is 0 (only from a store that the run never found missing, as
/// `store_never_missing` says, or when there is no safety copy yet), and ends the process
/// with `status` (-1 is seen as 255).
[[noreturn]] void end_program(int status, bool store_never_missing);
