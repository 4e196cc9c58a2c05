#include "travel/navigation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "shell/game_state.h"
#include "support/session.h"

namespace nebulance {
namespace {

using testing::playSession;
using testing::readTestData;
using testing::scriptedClock;
using testing::updateTestData;

TEST(PlanetMapTest, ShowsTheStarChartAndWaitsOnItsPrompt) {
  std::istringstream in;
  std::ostringstream out;
  {
    Console console(in, out);
    planetMap(console);
  }
  EXPECT_EQ(out.str(), R"art(
   Choose your destination.
 ================================================
 |    *           *     *                       |
 |         *               [ D ]   *            |
 |  [ Q ]_____Tattooine(1)    \_____Jundland(2) |
 |   *           [ O ]     *           *        |   Planet coordinates:
 |    Naboo(3)_____/  * [ o ]____Dagobah(4)     |     1 = Tattooine
 |    *                                         |     2 = Jundland
 |         [ C ]   *    *      [ O ]     *      |     3 = Naboo
 |           |_____Kessel(5)     |              |     4 = Dagobah
 |     [ U ]                     |  *           |     5 = Kessel
 |        \   *  Alderaan(6)_____|              |     6 = Alderaan
 |    *    \                            *       |     7 = Cloud City
 |          \_____Cloud City(7)                 |  (Input planet number)
 |            *                    *            |
 |                  *                         * |
 |   *                                          |
 ==================-Star System=-=Planet Map-====

              Designate coordinates: )art");
}

struct Check {
  std::int32_t destination;
  bool accepted;
};

class DestinationCheckTest : public ::testing::TestWithParam<Check> {};

TEST_P(DestinationCheckTest, AcceptsOnlyTheSevenPlanets) {
  const Check& example = GetParam();
  std::istringstream in;
  std::ostringstream out;
  std::int32_t destination = example.destination;
  std::int32_t newGameChosen = 1, gameRunning = 0, location = kNaboo;
  {
    Console console(in, out);
    destinationCheck(console, destination, newGameChosen, gameRunning, location);
  }
  EXPECT_EQ(destination, example.destination);
  if (example.accepted) {
    EXPECT_EQ(out.str(), "\n");
    EXPECT_EQ(location, example.destination);
    EXPECT_EQ(gameRunning, 1);
    EXPECT_EQ(newGameChosen, 0);
  } else {
    EXPECT_EQ(out.str(), "\nInvalid input.\n");
    EXPECT_EQ(location, kNaboo);
    EXPECT_EQ(gameRunning, 0);
    EXPECT_EQ(newGameChosen, 1);
  }
}

// The current planet (3) is a destination like any other; the hangar (8) never is.
INSTANTIATE_TEST_SUITE_P(Travel, DestinationCheckTest,
                         ::testing::Values(Check{1, true}, Check{2, true}, Check{3, true},
                                           Check{4, true}, Check{5, true}, Check{6, true},
                                           Check{7, true}, Check{0, false}, Check{8, false},
                                           Check{-1, false}, Check{2147483647, false},
                                           Check{-2147483647 - 1, false}));

// Refused destinations on the first map and on a later one. Reseeds, in order: the markets
// before the first map, after the refused 8 and before the second map; the travel step to
// Naboo; the first day's market; after T the markets after 0, after 9 and after 5, then the
// travel step to Kessel. Only that last reading, 1700000002, differs: its first draw 28469
// gives event 28469 mod 15 + 1 = 15, the patrol tax, which names Naboo as the planet left
// although two numbers were refused there. The other readings, 1700000000, give the safe
// journey (see tests/shell/full_game_test.cpp).
TEST(NavigationSessionTest, RefusedDestinationsChangeNothing) {
  std::vector<std::int64_t> readings(8, 1700000000);
  readings.push_back(1700000002);
  const std::string output =
      playSession("1\na\na\na\n8\n3\na\nT\n0\n9\n5\na\n", scriptedClock(readings));
  if (updateTestData("travel_refused_destinations.txt", output)) GTEST_SKIP();
  EXPECT_EQ(output, readTestData("travel_refused_destinations.txt"));
}

}  // namespace
}  // namespace nebulance
