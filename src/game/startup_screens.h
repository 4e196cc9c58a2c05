// The fixed screens of the start-up: banner, start menu, instructions and the two intros.
// They only print; the main loop reads the answers and makes the pauses.
#pragma once

#include "shell/console.h"

namespace nebulance {

void titleBanner(Console& console);
void startMenu(Console& console);
void instructions(Console& console);
void firstNewGameIntro(Console& console);
void secondNewGameIntro(Console& console);

}  // namespace nebulance
