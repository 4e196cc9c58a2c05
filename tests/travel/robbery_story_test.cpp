// Rewards and losses past the 32-bit range, which no game reaches in 30 days; the story's
// screens and branches are whole sessions (tests/data/sessions/story-*.session).
#include "travel/robbery_story.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "shell/saturating.h"
#include "support/session.h"

namespace nebulance {
namespace {

// Three stories in a row on 1700000003, where the blaster and the lightsaber duels are won by
// typing 2 every turn: the hero reward and the comlinks hold at the top, the Jedi's belongings
// land in a hold far past 100 units, and letting things be holds the bank's debt at the bottom.
TEST(RobberyStoryTest, RewardsAndLossesHoldAtTheLimitsInsteadOfWrapping) {
  std::istringstream in("\n1\nx\n2\n2\n2\n2\n2\nx\n\n2\nx\n2\n2\n2\n2\n2\nx\nx\n\n4\nx\n");
  std::ostringstream out;
  Console console(in, out);
  RandomGenerator random(testing::scriptedClock({1700000003}));
  char inputChar = 0;
  std::int32_t credits = kInt32Max - 99;  // any reward of 100 or more passes the top
  std::int32_t purchaseDiscount = 0;
  std::int32_t bankFunds = kInt32Min + 899999;  // a robbery may leave the bank in debt
  ProductCounts cargo = {1, kInt32Max, 0, 1, 0, 0, 0, 0};
  std::int32_t nabooTradeAllowed = 0;
  for (int story = 0; story < 3; ++story) {
    bankRobberyStory(console, random, inputChar, credits, purchaseDiscount, bankFunds, cargo,
                     nabooTradeAllowed, {}, kNaboo);
  }
  EXPECT_EQ(std::tuple(credits, bankFunds, cargo, purchaseDiscount, nabooTradeAllowed),
            std::tuple(kInt32Max, kInt32Min, ProductCounts{2, kInt32Max, 0, 2, 0, 0, 0, 0}, 1, 1));
}

}  // namespace
}  // namespace nebulance
