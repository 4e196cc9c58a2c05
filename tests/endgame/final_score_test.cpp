#include "endgame/final_score.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/session.h"

namespace nebulance {
namespace {

using testing::readTestData;

constexpr std::int32_t kMax = 2147483647;
constexpr std::int32_t kMin = -2147483647 - 1;

struct Settlement {
  std::string output;
  std::int32_t credits;
};

Settlement settle(std::int32_t day, std::int32_t credits, std::int32_t loan) {
  std::istringstream in("\na\na\n");
  std::ostringstream out;
  {
    Console console(in, out);
    finalScore(console, day, 30, credits, loan, '\n');
  }
  return {out.str(), credits};
}

struct Band {
  std::int32_t credits;
  std::int32_t loan;
  std::int32_t score;
  const char* transcript;  // the screen of the band's verdict
};

class VerdictBandTest : public ::testing::TestWithParam<Band> {};

// Whole screens: each band's transcript, with the score of the case written into it.
TEST_P(VerdictBandTest, ScoreFallsInItsBand) {
  const Band& band = GetParam();
  const Settlement settlement = settle(31, band.credits, band.loan);
  EXPECT_EQ(settlement.credits, band.score);
  const std::string bandScreen = readTestData(band.transcript);
  const std::size_t scoreLine = bandScreen.find("       Your final score: ");
  const std::size_t scoreEnd = bandScreen.find('\n', scoreLine);
  char score[64];
  std::snprintf(score, sizeof score, "       Your final score: %10d", band.score);
  EXPECT_EQ(settlement.output,
            bandScreen.substr(0, scoreLine) + score + bandScreen.substr(scoreEnd));
}

INSTANTIATE_TEST_SUITE_P(
    Endgame, VerdictBandTest,
    ::testing::Values(
        Band{20000, 0, 20000, "endgame_poor.txt"}, Band{20001, 0, 20001, "endgame_adapted.txt"},
        Band{50000, 0, 50000, "endgame_adapted.txt"}, Band{50001, 0, 50001, "endgame_master.txt"},
        Band{90000, 0, 90000, "endgame_master.txt"}, Band{90001, 0, 90001, "endgame_ruler.txt"},
        // The loan is deducted before the band is chosen.
        Band{100000, 9999, 90001, "endgame_ruler.txt"},
        Band{100000, 10000, 90000, "endgame_master.txt"}, Band{0, 0, 0, "endgame_poor.txt"},
        // A loan above the credits gives a negative score, with its sign.
        Band{3000, 250000, -247000, "endgame_poor.txt"},
        // The deduction is held at the 32-bit limits.
        Band{kMin, 1, kMin, "endgame_poor.txt"}, Band{kMax, -5, kMax, "endgame_ruler.txt"}));

// Before the time limit (a player who left with E) nothing is shown and nothing deducted.
TEST(FinalScoreTest, ShownOnlyAfterTheLastDay) {
  for (std::int32_t day : {0, 1, 29, 30, 32}) {
    const Settlement settlement = settle(day, 5000, 1000);
    EXPECT_EQ(settlement.output, "") << day;
    EXPECT_EQ(settlement.credits, 5000) << day;
  }
}

}  // namespace
}  // namespace nebulance
