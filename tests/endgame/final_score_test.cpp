// The final score against the verdict transcripts, and the days on which nothing is settled.
#include "endgame/final_score.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <string>

#include "support/session.h"

namespace nebulance {
namespace {

// Settles the game on `day` with the time limit 30: the screens it shows.
std::string settle(std::int32_t day, const Purse& purse) {
  std::istringstream in("\na\na\n");
  std::ostringstream out;
  Console console(in, out);
  finalScore(console, {.day = day}, purse);
  console.flush();
  return out.str();
}

// Day 31's "credits loan score verdict": the edges of the bands, then the loan deducted before
// the band is chosen, a negative score shown with its sign and the deduction held at the limits.
constexpr const char* kBands = R"(0 0 0 poor  20000 0 20000 poor  20001 0 20001 adapted
    50000 0 50000 adapted  50001 0 50001 master  90000 0 90000 master  90001 0 90001 ruler
    100000 10000 90000 master  3000 250000 -247000 poor
    -2147483648 1 -2147483648 poor  2147483647 -5 2147483647 ruler)";

// Whole screens: the verdict's transcript with the score of the case written into it.
TEST(FinalScoreTest, ScoreFallsInItsBand) {
  std::istringstream bands(kBands);
  std::int32_t credits = 0;
  std::int32_t loan = 0;
  std::string score;
  std::string verdict;
  while (bands >> credits >> loan >> score >> verdict) {
    std::ostringstream scoreField;
    scoreField << std::setw(10) << score;
    std::string screen = testing::readTestData("endgame_" + verdict + ".txt");
    screen.replace(screen.find("score: ") + 7, 10, scoreField.str());  // over its own score
    EXPECT_EQ(settle(31, {.credits = credits, .loan = loan}), screen) << credits << " " << loan;
  }
  EXPECT_TRUE(bands.eof());  // every row was read
}

// Only day 31 settles; on other days (a player who left with E) nothing is shown.
TEST(FinalScoreTest, ShownOnlyOnTheDayAfterTheLimit) {
  for (const std::int32_t day : {0, 1, 29, 30, 32}) {
    EXPECT_EQ(settle(day, {.credits = 5000, .loan = 1000}), "") << day;
  }
}

}  // namespace
}  // namespace nebulance
