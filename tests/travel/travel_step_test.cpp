// What each travel event does to the game state; their screens are in the travel-*.sessions.
#include "travel/travel_step.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "support/session.h"

namespace nebulance {
namespace {

// Clocks whose first draw gives each event (draw mod 15 + 1), e.g. 28469 for 1700000002.
constexpr std::int64_t kPatrolTax = 1700000002;        // 15
constexpr std::int64_t kPirateRaid = 1700000011;       // 14
constexpr std::int64_t kOldAcquaintance = 1700000006;  // 13
constexpr std::int64_t kWreckageLoot = 1700000263;     // 12: ten of product 2, Comlinks
constexpr std::int64_t kSafeJourney = 1700000000;      // 8
constexpr ProductCounts kHold = {3, 0, 0, 12, 0, 0, 0, 40};

// One jump on a clock: credits and cargo before, then after.
using Jump = std::tuple<std::int64_t, std::int32_t, ProductCounts, std::int32_t, ProductCounts>;

const Jump kJumps[] = {
    // The patrol tax is a tenth of the credits, rounded up to a whole credit.
    {kPatrolTax, 0, kHold, 0, kHold},
    {kPatrolTax, 1, kHold, 0, kHold},
    {kPatrolTax, 15, kHold, 13, kHold},
    {kPatrolTax, 2000, kHold, 1800, kHold},
    {kPatrolTax, 2345, kHold, 2110, kHold},
    {kPatrolTax, 2147483647, kHold, 1932735282, kHold},
    // The pirate raid empties the hold; an empty one stays empty.
    {kPirateRaid, 2345, kHold, 2345, {}},
    {kPirateRaid, 2345, {}, 2345, {}},
    // The old acquaintance gives 2000 whatever the credits, held at the 32-bit limit.
    {kOldAcquaintance, 0, kHold, 2000, kHold},
    {kOldAcquaintance, 150, kHold, 2150, kHold},
    {kOldAcquaintance, -5000, kHold, -3000, kHold},
    {kOldAcquaintance, 2147483000, kHold, 2147483647, kHold},
    // The wreckage's ten comlinks are added whatever the hold carries, past 100 units too.
    {kWreckageLoot, 2345, kHold, 2345, {3, 10, 0, 12, 0, 0, 0, 40}},
    {kWreckageLoot, 2345, {0, 100, 0, 0, 0, 0, 0, 0}, 2345, {0, 110, 0, 0, 0, 0, 0, 0}},
    {kSafeJourney, 2345, kHold, 2345, kHold},
};

TEST(TravelStepTest, EachEventChangesOnlyItsOwnFields) {
  for (const auto& [clock, credits, cargo, creditsAfter, cargoAfter] : kJumps) {
    GameState state{.credits = credits, .cargo = cargo};
    GameState expected = state;
    // The four draws follow a reseed in this order on every jump, whatever the event.
    RandomGenerator random(testing::fixedClock(clock));
    random.reseedFromClock();
    expected.eventRoll = random.draw() % 15 + 1;
    expected.eventProduct = random.draw() % 8 + 1;
    expected.eventCount = random.draw() % 10 + 1;
    expected.interestRate = random.draw() % 16 + 5;
    expected.credits = creditsAfter;
    expected.cargo = cargoAfter;
    expected.workAmount = clock == kPatrolTax ? creditsAfter : 0;
    expected.inputChar = 'a';
    std::istringstream in("\na\na\n");
    std::ostringstream out;
    Console console(in, out);
    travelStep(console, random, state);
    EXPECT_EQ(state, expected) << clock << ", credits " << credits;
  }
}

}  // namespace
}  // namespace nebulance
