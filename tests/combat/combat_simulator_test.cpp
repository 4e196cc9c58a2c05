// Whole visits to the combat simulator from the start menu, compared with reviewed transcripts.
// Every session leaves the program through the start menu's 3 and 1.
#include <gtest/gtest.h>

#include <string>

#include "support/session.h"

namespace nebulance {
namespace {

using testing::fixedClock;
using testing::playSession;
using testing::readTestData;
using testing::scriptedClock;
using testing::updateTestData;

// Clock seconds whose first draws give the wanted opponent move and exchange roll (the draws
// are worked out in duel_test.cpp): the bandits fire and lose the roll; the dark Jedi attacks
// and wins it; he parries; he uses his force attack.
constexpr std::int64_t kBanditsFireRollOne = 1800000002;
constexpr std::int64_t kJediAttacksRollTwo = 1800000000;
constexpr std::int64_t kJediParriesRollTwo = 1800000008;
constexpr std::int64_t kJediForceAttack = 1800000004;

void expectTranscript(std::string_view name, std::string_view input, Clock clock) {
  const std::string output = playSession(input, std::move(clock));
  updateTestData(name, output);
  EXPECT_EQ(output, readTestData(name)) << name;
}

TEST(CombatSimulatorTest, BlasterVisitWonInFiveTurns) {
  // Game 1, the loading pause, five shots that each cost the bandits a point, the win screen's
  // pause, then leaving.
  expectTranscript("combat_simulator_win.txt", "4\n1\nx\n2\n2\n2\n2\n2\nx\n3\n1\n",
                   fixedClock(kBanditsFireRollOne));
}

TEST(CombatSimulatorTest, LightsaberVisitLost) {
  // Parry against parry, attack into his parry, debris into his parry, attack against attack
  // lost, debris into his attack, parry against his force attack, attack into his parry.
  expectTranscript("combat_simulator_lose.txt", "4\n2\nx\n1\n2\n3\n2\n3\n1\n2\nx\n3\n1\n",
                   scriptedClock({kJediParriesRollTwo, kJediParriesRollTwo, kJediParriesRollTwo,
                                  kJediAttacksRollTwo, kJediAttacksRollTwo, kJediForceAttack,
                                  kJediParriesRollTwo}));
}

TEST(CombatSimulatorTest, StarshipSurrenderShowsTheLoseScreen) {
  expectTranscript("combat_simulator_surrender.txt", "4\n3\nx\n4\nx\n3\n1\n",
                   fixedClock(kJediForceAttack));
}

TEST(CombatSimulatorTest, RefusedGameNumbersRedrawTheMenu) {
  // 0, 5 and -2 are refused; the q is no number, so -2 is kept and refused again; then the q is
  // taken by the next entry's character read and 4 leaves.
  expectTranscript("combat_menu_redraw.txt", "4\n0\n5\n-2\nq\n4\n3\n1\n",
                   fixedClock(kJediForceAttack));
}

TEST(CombatSimulatorTest, ExitLeavesWithTheLineBreakAndTwelveMore) {
  expectTranscript("combat_exit.txt", "4\n4\n3\n1\n", fixedClock(kJediForceAttack));
}

TEST(CombatSimulatorTest, GameAfterAVisitStartsFromTheSameValues) {
  // A new game with a safe first jump, left at the first dashboard. The clock reads the same
  // second throughout, so the duel's reseeds leave nothing behind for the game to see.
  constexpr std::string_view kNewGame = "1\nx\nx\nx\n3\nx\nE\n1\n";
  constexpr std::int64_t kSafeJourney = 1800000000;
  const std::string direct = playSession(kNewGame, kSafeJourney);
  const std::string afterVisit =
      playSession("4\n1\nx\n3\nx\n" + std::string(kNewGame), kSafeJourney);
  EXPECT_TRUE(afterVisit.ends_with(direct));
  updateTestData("combat_game_after_visit.txt", afterVisit);
  EXPECT_EQ(afterVisit, readTestData("combat_game_after_visit.txt"));
}

TEST(CombatSimulatorTest, EndOfInputInsideADuelEndsTheProgramQuietly) {
  const std::string output = playSession("4\n1\nx\n2\n", fixedClock(kBanditsFireRollOne));
  EXPECT_TRUE(
      output.ends_with(" He is injured by your laser beam!\n /-----------\\"
                       "_____________________\n \\----You----/ *** *** *** *** *** |\n\n\n"
                       "  _____________________/-----------\\\n"
                       " | *** *** *** ***     \\--Bandits--/ \n\n\n\n\n\n"
                       "     1 - Take cover from fire.\n     2 - Fire your weapons.\n"
                       "     3 - Surrender.\n  Select action: "));
}

}  // namespace
}  // namespace nebulance
