// The game's entry: start menu, new-game set-up, the first jump and the day loop.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <system_error>

#include "random/random_generator.h"
#include "shell/console.h"
#include "shell/game_state.h"

namespace nebulance {

// Plays one run of the program on `in` and `out`, seeding the random generator from `clock`.
// Returns when the player leaves or the game ends, and also, silently, when the input ends or
// `out` can no longer be written. Returns the reason of the write that failed, if one did.
std::error_code runGame(std::istream& in, std::ostream& out, Clock clock);
// The same on a terminal of the caller's own (the browser's).
std::error_code runGame(Terminal& terminal, Clock clock);

// The bookkeeping of every jump after the first: the day, the allowance, the loan's interest
// and the bank's growth, floored at 0.
void dayAdvance(GameState& state);

}  // namespace nebulance
