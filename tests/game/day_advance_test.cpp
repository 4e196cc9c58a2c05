// The bookkeeping of a jump; the sessions show it only at ordinary sizes.
#include <gtest/gtest.h>

#include "game/game.h"
#include "shell/saturating.h"

namespace nebulance {
namespace {

// Credits, loan, the loan's rate and the bank's funds before a jump; the three sums after it.
struct Jump {
  std::int32_t credits, loan, rate, bankFunds;
  std::int32_t creditsAfter, loanAfter, bankFundsAfter;
};

constexpr Jump kJumps[] = {
    // 10% of 1000 is charged; the bank earns 10% of the new loan, 110, and its 100000.
    {700, 1000, 10, 10000000, 800, 1100, 10100110},
    // 999 + 69.93 is 1068; the bank earns 0.07 * 1068 = 74.76, so 74.
    {0, 999, 7, 5000000, 100, 1068, 5100074},
    // A robbery left the bank in debt: after its growth it is floored at 0.
    {100, 0, 0, -932767, 200, 0, 0},
    // 2000000000 * 1.2 is held at the limit and the bank earns 20% of that, 429496729.
    {100, 2000000000, 20, 10000000, 200, kInt32Max, 439596729},
    {100, 2000000000, 20, 2000000000, 200, kInt32Max, kInt32Max},
    {kInt32Max - 40, 0, 0, 0, kInt32Max, 0, 100000},
};

TEST(DayAdvanceTest, ChargesTheDayAndChangesNothingElse) {
  for (const Jump& jump : kJumps) {
    GameState state;
    state.purse = {.credits = jump.credits, .loan = jump.loan, .currentRate = jump.rate};
    state.bank = {.bankFunds = jump.bankFunds, .interestRate = 13};
    state.calendar.day = 5;
    GameState expected = state;
    expected.calendar.day = 6;
    expected.purse.credits = jump.creditsAfter;
    expected.purse.loan = jump.loanAfter;
    expected.bank.bankFunds = jump.bankFundsAfter;
    dayAdvance(state);
    EXPECT_EQ(state, expected) << jump.credits << " " << jump.loan << " " << jump.bankFunds;
  }
}

}  // namespace
}  // namespace nebulance
