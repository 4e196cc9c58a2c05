// What travel events and the robbery story do past the ends of the 32-bit range, which no game
// reaches; the travel-*.session and story-*.session files show them at ordinary sizes.
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
    GameState state;
    state.purse.credits = credits;
    std::istringstream in("\na\na\n");
    std::ostringstream out;
    Console console(in, out);
    RandomGenerator random(testing::scriptedClock({clock}));
    travelStep(console, random, state);
    EXPECT_EQ(state.purse.credits, creditsAfter) << clock << ", credits " << credits;
  }
}

// Three rumours (1700000005) in a row, each story's duel turns on 1700000003, where the blaster
// and the lightsaber duels are won by typing 2 every turn: the hero reward and the comlinks hold
// at the top, the Jedi's belongings land in a hold far past 100 units, and letting things be
// holds the bank's debt at the bottom.
TEST(TravelStepTest, StoryRewardsAndLossesHoldAtTheLimitsInsteadOfWrapping) {
  std::istringstream in("\n1\nx\n2\n2\n2\n2\n2\nx\n\n2\nx\n2\n2\n2\n2\n2\nx\nx\n\n4\nx\n");
  std::ostringstream out;
  Console console(in, out);
  GameState state;
  state.purse.credits = kInt32Max - 99;       // any reward of 100 or more passes the top
  state.bank.bankFunds = kInt32Min + 899999;  // a robbery may leave the bank in debt
  state.position.location = kNaboo;
  state.cargo = {1, kInt32Max, 0, 1, 0, 0, 0, 0};
  for (int story = 0; story < 3; ++story) {
    RandomGenerator random(testing::scriptedClock({1700000005, 1700000003}));
    travelStep(console, random, state);
  }
  EXPECT_EQ(std::tuple(state.purse.credits, state.bank.bankFunds, state.cargo),
            std::tuple(kInt32Max, kInt32Min, ProductCounts{2, kInt32Max, 0, 2, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace nebulance
