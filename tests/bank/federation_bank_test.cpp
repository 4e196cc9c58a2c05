// Visits made straight to the Federation Bank's menu, for the limits and the held values that
// the whole sessions (tests/data/sessions/bank-*.session) cannot reach.
#include "bank/federation_bank.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "shell/game_state.h"
#include "shell/saturating.h"
#include "support/session.h"

namespace nebulance {
namespace {

// The state after a visit; the input follows the line end that the dashboard's command left.
GameState visitBank(std::string_view input, GameState state, std::string* output = nullptr) {
  std::istringstream in{"\n" + std::string(input)};
  std::ostringstream out;
  Console console(in, out);
  federationBank(console, state.credits, state.loan, state.inputChar, state.interestRate,
                 state.currentRate, state.bankFunds);
  if (output != nullptr) *output = out.str();
  return state;
}

// Today's offer is 12%, the debt runs at 7%, and the bank holds 50000.
GameState bankDay(std::int32_t credits, std::int32_t loan) {
  return {
      .credits = credits, .loan = loan, .bankFunds = 50000, .interestRate = 12, .currentRate = 7};
}

// `lent` credits go from the purse to the player (negative: paid back), the debt then runs at
// `currentRate`, and the input ends where the visit must leave the bank.
struct Transaction {
  std::string_view why;
  std::int32_t credits, loan;
  std::string_view input;
  std::int32_t lent, currentRate;
};

constexpr Transaction kTransactions[] = {
    {"a loan of the whole purse", 3000, 2000, "L\n50000\nY\n-1\n", 50000, 12},
    {"one credit past the purse fails (b)", 3000, 2000, "L\n50001\n-1\n", 0, 7},
    {"a loan of 0 only moves the debt to today's rate", 3000, 2000, "L\n0\ny\n-1\n", 0, 12},
    {"a declined loan", 3000, 2000, "L\n100\nN\n-1\n", 0, 7},
    {"M5: a non-number after a loan keeps it", 3000, 2000, "L\n100\nY\nxy\n-1\n", 200, 12},
    {"e leaves at once", 3000, 2000, "e\n", 0, 7},
    {"a payment of the whole loan keeps the rate", 3000, 2000, "P\n2000\ny\n-1\n", -2000, 7},
    {"a payment of all the credits", 1500, 2000, "P\n1500\ny\n-1\n", -1500, 7},
    {"one credit above the credits fails (b)", 1500, 2000, "P\n1501\n-1\n", 0, 7},
    {"one credit above the loan fails (c)", 3000, 2000, "P\n2001\n-1\n", 0, 7},
    {"no loan: (c) refuses every positive amount", 3000, 0, "P\n1\n3000\n0\ny\n-1\n", 0, 7},
};

TEST(FederationBankTest, LoansAndPaymentsUpToEveryLimit) {
  for (const Transaction& transaction : kTransactions) {
    const GameState before = bankDay(transaction.credits, transaction.loan);
    GameState expected = before;
    expected.credits += transaction.lent;
    expected.loan += transaction.lent;
    expected.bankFunds -= transaction.lent;
    expected.currentRate = transaction.currentRate;
    EXPECT_EQ(visitBank(transaction.input, before), expected) << transaction.why;
  }
}

// M3: sums beyond the 32-bit range stop at 2147483647, in the preview and in the stored debt,
// credits and purse; the purse still pays out the whole loan.
TEST(FederationBankTest, SumsBeyondTheRangeAreHeldAtTheLimit) {
  GameState state = bankDay(kInt32Max - 50, kInt32Max - 100);
  state.bankFunds = 10000000;
  std::string output;
  const GameState after = visitBank("L\n1000\ny\n-1\n", state, &output);
  testing::updateTestData("bank_loan_saturation.txt", output);
  EXPECT_EQ(output, testing::readTestData("bank_loan_saturation.txt"));
  EXPECT_EQ(after.loan, kInt32Max);
  EXPECT_EQ(after.credits, kInt32Max);
  EXPECT_EQ(after.bankFunds, 9999000);

  state = bankDay(3000, 2000);
  state.bankFunds = kInt32Max - 10;
  EXPECT_EQ(visitBank("P\n100\nY\n-1\n", state).bankFunds, kInt32Max);
}

}  // namespace
}  // namespace nebulance
