#include <gtest/gtest.h>

#include <cstdint>

#include "game/game.h"

namespace nebulance {
namespace {

constexpr std::int32_t kMax = 2147483647;

struct DayAdvanceCase {
  const char* name;
  // Before.
  std::int32_t day, credits, loan, currentRate, bankFunds;
  // After.
  std::int32_t newDay, newCredits, newLoan, newBankFunds;
};

class DayAdvanceTest : public ::testing::TestWithParam<DayAdvanceCase> {};

TEST_P(DayAdvanceTest, ChargesTheDayInOrder) {
  const DayAdvanceCase& example = GetParam();
  GameState state;
  state.day = example.day;
  state.credits = example.credits;
  state.loan = example.loan;
  state.currentRate = example.currentRate;
  state.bankFunds = example.bankFunds;
  state.interestRate = 13;

  GameState expected = state;
  expected.day = example.newDay;
  expected.credits = example.newCredits;
  expected.loan = example.newLoan;
  expected.bankFunds = example.newBankFunds;

  dayAdvance(state);
  EXPECT_EQ(state, expected);  // and nothing else changes
}

INSTANTIATE_TEST_SUITE_P(
    Shell, DayAdvanceTest,
    ::testing::Values(
        // 10% of 1000 is charged; the bank earns 10% of the new loan, 110, and its 100000.
        DayAdvanceCase{"TenPercentOnAThousand", 5, 700, 1000, 10, 10000000, 6, 800, 1100, 10100110},
        // No rate: the loan stays and the bank grows by exactly 100000.
        DayAdvanceCase{"RateZero", 1, 2000, 5000, 0, 10000000, 2, 2100, 5000, 10100000},
        // 999 + 69.93 = 1068.93 becomes 1068; the bank earns 0.07 * 1068 = 74.76, so 74.
        DayAdvanceCase{"FractionsAreTruncated", 3, 0, 999, 7, 5000000, 4, 100, 1068, 5100074},
        // Truncation goes toward zero for a negative amount too.
        DayAdvanceCase{"TruncationTowardZero", 3, 0, -999, 7, 5000000, 4, 100, -1068, 5099925},
        // A robbery left the bank in debt: after the growth it is floored at 0.
        DayAdvanceCase{"BankFundsFlooredAtZero", 8, 100, 0, 0, -932767, 9, 200, 0, 0},
        DayAdvanceCase{"BankFundsJustAboveZero", 8, 100, 0, 0, -99999, 9, 200, 0, 1},
        // 2000000000 * 1.2 is held at the limit, and the bank earns 20% of that:
        // 10000000 + 429496729.4 = 439496729, then 439596729.
        DayAdvanceCase{"LoanSaturates", 12, 100, 2000000000, 20, 10000000, 13, 200, kMax,
                       439596729},
        // A bank that is already full stays at the limit.
        DayAdvanceCase{"BankFundsSaturate", 12, 100, 2000000000, 20, 2000000000, 13, 200, kMax,
                       kMax},
        DayAdvanceCase{"CreditsSaturate", 12, kMax - 40, 0, 0, 0, 13, kMax, 0, 100000}),
    [](const ::testing::TestParamInfo<DayAdvanceCase>& info) { return info.param.name; });

}  // namespace
}  // namespace nebulance
