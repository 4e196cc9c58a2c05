#include "travel/navigation.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "shell/game_state.h"

namespace nebulance {
namespace {

// Only the seven planets are accepted, the current one (3) too, never the hangar (8); a refused
// number changes nothing. The map and refusals in a game: travel-refused-destinations.session.
TEST(DestinationCheckTest, AcceptsOnlyTheSevenPlanets) {
  for (std::int32_t destination : {1, 2, 3, 4, 5, 6, 7, 0, 8, -1, 2147483647, -2147483647 - 1}) {
    const bool planet = destination >= 1 && destination <= 7;
    std::istringstream in;
    std::ostringstream out;
    Console console(in, out);
    std::int32_t typed = destination;
    std::int32_t newGameChosen = 1;
    std::int32_t gameRunning = 0;
    std::int32_t location = kNaboo;
    destinationCheck(console, typed, newGameChosen, gameRunning, location);
    EXPECT_EQ(out.str(), planet ? "\n" : "\nInvalid input.\n") << destination;
    EXPECT_EQ(std::tuple(typed, location, gameRunning, newGameChosen),
              planet ? std::tuple(destination, destination, 1, 0)
                     : std::tuple(destination, kNaboo, 0, 1));
  }
}

}  // namespace
}  // namespace nebulance
