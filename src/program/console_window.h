// The console window a game may leave behind. On Windows a game started from Explorer gets a
// console window of its own, which closes the moment the program ends, taking the final score
// or the farewell with it before anyone can read them. Only then does the program ask for Enter
// before it ends; from a shell, or with its input or output redirected, it ends at once.
#pragma once

#include <ostream>

#include "program/options.h"

namespace nebulance::program {

// What the program can learn about the console it runs in.
struct ConsoleFacts {
  // The processes attached to the program's console, itself included; 0 when it has none.
  unsigned processesOnConsole = 0;
  bool inputIsConsole = false;
  bool outputIsConsole = false;
};

// True when the console window is the program's own and would vanish with the last screen: no
// other process (a shell) shares it, and both standard input and output are that console.
bool windowClosesWithProgram(const ConsoleFacts& facts);

// The platform this program was built for.
Platform thisPlatform();

// Asks for Enter on `out` and waits for it when the console window would otherwise vanish with
// the game's last screen; does nothing anywhere else.
void holdWindowBeforeExit(std::ostream& out);

}  // namespace nebulance::program
