// Turns arbitrary bytes into one whole run of the game, so that the fuzzer, the corpus replay
// and every regression test play an input the same way.
//
// Layout of an input: bytes 0..3 are the clock's first reading in seconds (little endian);
// bytes 4..7 are the steps the clock advances by, used in turn, one per reading after the
// first (a step of 0 repeats the second, as two steps within one real second do); every byte
// after them is typed at the console. A shorter input reads its missing header bytes as 0.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>

namespace nebulance::fuzzing {

// Plays the game on `input` and writes everything it prints to `out`. Returns when the game
// returns, which on a finite input it always must.
void playFuzzInput(std::span<const std::uint8_t> input, std::ostream& out);

}  // namespace nebulance::fuzzing
