// What each travel event does to the game state; the travel-*.session files show its screens.
#include "travel/travel_step.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "support/session.h"

namespace nebulance {
namespace {

constexpr std::int64_t kPatrolTax = 1700000002;  // draw 28469: event 28469 mod 15 + 1 = 15
constexpr ProductCounts kHold = {3, 5, 0, 12, 0, 0, 0, 40};

// One jump from a hold of kHold on a clock whose first draw gives the event (draw mod 15 + 1):
// the credits before, then the credits and the cargo after.
using Jump = std::tuple<std::int64_t, std::int32_t, std::int32_t, ProductCounts>;

constexpr Jump kJumps[] = {
    // The patrol tax takes a tenth of the credits and drops the part of a credit left.
    {kPatrolTax, 0, 0, kHold},
    {kPatrolTax, 1, 0, kHold},
    {kPatrolTax, 15, 13, kHold},
    {kPatrolTax, 2345, 2110, kHold},
    {kPatrolTax, 2147483647, 1932735282, kHold},
    {1700000011, 2345, 2345, {}},  // 14, the pirate raid, empties the hold
    // 13, the old acquaintance, gives 2000 whatever the credits, held at the 32-bit limit.
    {1700000006, -5000, -3000, kHold},
    {1700000006, 2147483000, 2147483647, kHold},
    {1700000263, 2345, 2345, {3, 15, 0, 12, 0, 0, 0, 40}},  // 12: ten of product 2, Comlinks
    {1700000000, 2345, 2345, kHold},                        // 8, a safe journey
};

TEST(TravelStepTest, EachEventChangesOnlyItsOwnFields) {
  for (const auto& [clock, credits, creditsAfter, cargoAfter] : kJumps) {
    GameState state{.credits = credits, .cargo = kHold};
    GameState expected{.credits = creditsAfter, .cargo = cargoAfter, .inputChar = 'a'};
    expected.workAmount = clock == kPatrolTax ? creditsAfter : 0;
    // The four draws follow a reseed in this order on every jump, whatever the event.
    RandomGenerator random(testing::fixedClock(clock));
    random.reseedFromClock();
    expected.eventRoll = random.draw() % 15 + 1;
    expected.eventProduct = random.draw() % 8 + 1;
    expected.eventCount = random.draw() % 10 + 1;
    expected.interestRate = random.draw() % 16 + 5;
    std::istringstream in("\na\na\n");
    std::ostringstream out;
    Console console(in, out);
    travelStep(console, random, state);
    EXPECT_EQ(state, expected) << clock << ", credits " << credits;
  }
}

}  // namespace
}  // namespace nebulance
