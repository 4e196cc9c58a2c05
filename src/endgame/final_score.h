// The end of a game that reached its time limit: the loan is deducted and the score judged.
#pragma once

#include "shell/console.h"
#include "shell/game_state.h"

namespace nebulance {

// When the calendar's day is kDayLimit + 1 (the last jump made), shows the final score, the
// credits less the loan, with its verdict; otherwise prints nothing.
void finalScore(Console& console, const Calendar& calendar, const Purse& purse);

}  // namespace nebulance
