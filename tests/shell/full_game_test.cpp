// A whole game of 31 jumps, and leaving one early, compared screen for screen with their
// transcripts; then the same game cut short at every point of its input.
#include <gtest/gtest.h>

#include <string>

#include "support/session.h"

namespace nebulance {
namespace {

using testing::playSession;
using testing::readTestData;
using testing::updateTestData;

// Every reseed reads 1700000000, so every market and every travel step starts from the same
// draws. Worked out from state = state * 214013 + 2531011 mod 2^32, draw = (state >> 16) & 32767:
//   1700000000 * 214013 + 2531011 = 363822102531011, mod 2^32 = 4012821443, >> 16 = 61230,
//   & 32767 = 28462; then 67307386 -> 1027, 3632787541 -> 22663, 1667523012 -> 25444, ...
//   draws 1..16: 28462 1027 22663 25444 9533 1366 19789 28945
//                13691 12556 7193 22821 8472 7913 27565 7464
// Market away from Tattooine (and before the first map):
//   prices 5000 + 28462 mod 1001 = 5434, 3500 + 26 = 3526, 2000 + 22663 mod 701 = 2231,
//   1000 + 419 = 1419, 400 + 86 = 486, 250 + 53 = 303, 100 + 161 = 261, 20 + 31 = 51;
//   stock (draws 9..16 mod 21) 20 19 11 15 9 17 13 9.
// Market at Tattooine: the fixed prices, stock from draws 1..8 mod 21: 7 19 4 13 20 1 7 7.
// Travel step: event 28462 mod 15 + 1 = 8 (a safe journey), product 1027 mod 8 + 1 = 4,
//   count 22663 mod 10 + 1 = 4, interest rate 25444 mod 16 + 5 = 9.
// So the game earns the 30 allowances and nothing else: 2000 + 3000 = 5000, the first band.
constexpr std::int64_t kSafeClock = 1700000000;

// The script of the whole game. Each pause is answered with a key and Enter.
constexpr const char* kFullGame =
    "1\n"              // start a new game
    "a\na\na\n"        // the two intros and the grant of 2,000 credits
    "9\n1\na\n"        // the hangar: 9 is refused, then Tattooine; the event's pause
    "q\n"              // day 1: an unknown letter, Input Error
    "E\n2\n"           // day 1: leave? No, back to the dashboard
    "t\n3\na\n"        // day 1 -> 2, lower case: Naboo
    "T\n3\na\n"        // day 2 -> 3: Naboo again, the planet where the player is
    "T\nx\n5\na\n"     // day 3 -> 4: a letter keeps the destination 0, refused; then Kessel
    "T\n8\n0\n1\na\n"  // day 4 -> 5: the hangar and 0 refused; Tattooine
    "T\n2\na\nT\n4\na\nT\n6\na\nT\n7\na\nT\n1\na\n"  // days 5 -> 10
    "T\n2\na\nT\n4\na\nT\n6\na\nT\n7\na\nT\n1\na\n"  // days 10 -> 15
    "T\n2\na\nT\n4\na\nT\n6\na\nT\n7\na\nT\n1\na\n"  // days 15 -> 20
    "T\n2\na\nT\n4\na\nT\n6\na\nT\n7\na\nT\n1\na\n"  // days 20 -> 25
    "T\n2\na\nT\n4\na\nT\n6\na\nT\n7\na\n"           // days 25 -> 29
    "T\n5\na\n"                                      // day 29 -> 30
    "a\n"        // the last-day warning; its leftover line end is read as a command
    "T\n2\na\n"  // day 30 -> 31: the game is over
    "a\na\n";    // the score screen and the verdict

TEST(FullGameTest, ThirtyOneJumpsEndOnTheFinalScore) {
  const std::string output = playSession(kFullGame, kSafeClock);
  if (updateTestData("shell_full_game.txt", output)) GTEST_SKIP() << "transcript written";
  EXPECT_EQ(output, readTestData("shell_full_game.txt"));
}

// Leaving with E: No returns to the dashboard; after it a letter keeps the answer 2, so the
// question is cancelled at once and the dashboard reads the letter and the line end (Input
// Error); 7 is refused with its own prompt, and 1 ends the program without a score.
TEST(FullGameTest, LeavingWithE) {
  const std::string output = playSession("1\na\na\na\n4\na\nE\n2\nE\nx\neE\n7\n1\n", kSafeClock);
  if (updateTestData("shell_leave_game.txt", output)) GTEST_SKIP() << "transcript written";
  EXPECT_EQ(output, readTestData("shell_leave_game.txt"));
}

// The input may end anywhere: the run then stops quietly, and up to that point it has printed
// exactly what the whole game prints there. The script types single digits only, so no cut
// can shorten a number into another one.
TEST(FullGameTest, EndOfInputAtEveryPointStopsWithAPrefixOfTheWholeGame) {
  const std::string script = kFullGame;
  const std::string whole = playSession(script, kSafeClock);
  std::size_t previousLength = 0;
  for (std::size_t cut = 0; cut < script.size(); ++cut) {
    const std::string output = playSession(script.substr(0, cut), kSafeClock);
    ASSERT_EQ(output, whole.substr(0, output.size())) << "cut at " << cut;
    ASSERT_GE(output.size(), previousLength) << "cut at " << cut;
    previousLength = output.size();
  }
  // The last key of the verdict's pause is the last character the game reads.
  EXPECT_EQ(previousLength, whole.size());
}

}  // namespace
}  // namespace nebulance
