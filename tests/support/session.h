// Plays whole sessions in-process: typed input in, the console output out, with a clock that
// the test fixes, so every draw of the random generator is known.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "random/random_generator.h"

namespace nebulance::testing {

// A clock that reads the given values one after another and then keeps the last one; each copy
// counts its readings on its own.
Clock scriptedClock(std::vector<std::int64_t> readings);

// Runs the game on `input` and returns everything it printed.
std::string playSession(std::string_view input, Clock clock);

// A session kept under tests/data/sessions/<name>.session: header lines that say why it
// matters, `clock: N [N ...]` (one reading per reseed, the last one kept), `input: ...` with
// \n for each line end, then a line `--- output` and the exact transcript to the end of file.
struct ScriptedSession {
  std::vector<std::int64_t> clockReadings;
  std::string input;
  std::string header;  // everything up to and including the output marker line
  std::string expectedOutput;
};
ScriptedSession loadScriptedSession(std::string_view name);

// The contents of a file under tests/data.
std::string readTestData(std::string_view name);

// Writes `text` under tests/data when NEBULANCE_UPDATE_TEST_DATA is set, so that a reviewed
// change of a screen can refresh its transcript; returns true if it wrote.
bool updateTestData(std::string_view name, std::string_view text);

}  // namespace nebulance::testing
