// What a travel event does at the edges of the credits; the travel-*.session files show every
// event's screens at ordinary sizes.
#include "travel/travel_step.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "shell/saturating.h"
#include "support/session.h"

namespace nebulance {
namespace {

constexpr std::int64_t kPatrolTax = 1700000002;  // draw 28469: event 28469 mod 15 + 1 = 15
constexpr std::int64_t kOldFriend = 1700000006;  // draw 28482: event 13, +2000 credits

// The clock of the jump, the credits before and after it.
constexpr std::tuple<std::int64_t, std::int32_t, std::int32_t> kJumps[] = {
    // The patrol tax takes a tenth and drops the part of a credit left: 15 - 1.5 is 13.
    {kPatrolTax, 15, 13},
    {kPatrolTax, kInt32Max, 1932735282},
    {kOldFriend, kInt32Max - 647, kInt32Max},
};

TEST(TravelStepTest, TaxAndGiftAtTheEdgesOfTheCredits) {
  for (const auto& [clock, credits, creditsAfter] : kJumps) {
    GameState state{.credits = credits};
    std::istringstream in("\na\na\n");
    std::ostringstream out;
    Console console(in, out);
    RandomGenerator random(testing::scriptedClock({clock}));
    travelStep(console, random, state);
    EXPECT_EQ(state.credits, creditsAfter) << clock << ", credits " << credits;
  }
}

}  // namespace
}  // namespace nebulance
