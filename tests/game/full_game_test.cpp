// The whole game cut short at every point of its input; the game itself is the session
// shell-full-game in tests/data/sessions.
#include <gtest/gtest.h>

#include <string>

#include "support/session.h"

namespace nebulance {
namespace {

// The input may end anywhere: the run then stops quietly, and up to that point it has printed
// exactly what the whole game prints there. The script types single digits only, so no cut
// can shorten a number into another one.
TEST(FullGameTest, EndOfInputAtEveryPointStopsWithAPrefixOfTheWholeGame) {
  const testing::ScriptedSession game = testing::loadScriptedSession("shell-full-game");
  const Clock clock = testing::scriptedClock(game.clockReadings);
  std::size_t previousLength = 0;
  for (std::size_t cut = 0; cut < game.input.size(); ++cut) {
    const std::string output = testing::playSession(game.input.substr(0, cut), clock);
    ASSERT_EQ(output, game.expectedOutput.substr(0, output.size())) << "cut at " << cut;
    ASSERT_GE(output.size(), previousLength) << "cut at " << cut;
    previousLength = output.size();
  }
  // The last key of the verdict's pause is the last character the game reads.
  EXPECT_EQ(previousLength, game.expectedOutput.size());
}

}  // namespace
}  // namespace nebulance
