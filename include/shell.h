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
/// Removes the session journals, refreshes the safety copy when `status` is 0, and ends
/// the process with `status` (-1 is seen as 255).
[[noreturn]] void exit_program(int status);
