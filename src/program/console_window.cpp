#include "program/console_window.h"

namespace nebulance::program {

bool windowClosesWithProgram(const ConsoleFacts& facts) {
  return facts.processesOnConsole == 1 && facts.inputIsConsole && facts.outputIsConsole;
}

}  // namespace nebulance::program
