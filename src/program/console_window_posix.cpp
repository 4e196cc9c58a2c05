// A terminal window belongs to the shell or the terminal program that started the game and stays
// open after it, so there is nothing to hold.
#include "program/console_window.h"

namespace nebulance::program {

Platform thisPlatform() {
  return Platform::posix;
}

void holdWindowBeforeExit(std::ostream& /*out*/) {}

}  // namespace nebulance::program
