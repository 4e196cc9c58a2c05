// Only the seven planets pass, the current one too; travel-refused-destinations.session in a game.
#include "travel/navigation.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

namespace nebulance {
namespace {

TEST(DestinationCheckTest, AcceptsOnlyTheSevenPlanets) {
  for (const std::int32_t number : {1, 2, 3, 4, 5, 6, 7, 0, 8, -1, 2147483647, -2147483647 - 1}) {
    std::istringstream in;
    std::ostringstream out;
    Console console(in, out);
    std::int32_t typed = number;
    std::int32_t newGameChosen = 1;
    std::int32_t gameRunning = 0;
    std::int32_t location = 3;  // Naboo
    destinationCheck(console, typed, newGameChosen, gameRunning, location);
    console.flush();
    EXPECT_EQ(std::tuple(out.str(), typed, location, gameRunning, newGameChosen),
              number >= 1 && number <= 7 ? std::tuple("\n", number, number, 1, 0)
                                         : std::tuple("\nInvalid input.\n", number, 3, 0, 1));
  }
}

}  // namespace
}  // namespace nebulance
