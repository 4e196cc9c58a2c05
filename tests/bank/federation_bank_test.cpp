// Visits made straight to the Federation Bank's menu, for the limits and the held values that
// the whole sessions (tests/data/sessions/bank-*.session) cannot reach.
#include "bank/federation_bank.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "shell/saturating.h"

namespace nebulance {
namespace {

// A visit on a day when the bank offers 12% and the debt runs at 7%: the input follows the line
// end of the dashboard's command and ends where the visit must leave the bank; `after` is
// "credits loan purse rate", the debt's rate last.
struct Visit {
  std::string_view why;
  std::int32_t credits, loan;
  std::string_view input, after;
  std::int32_t bankFunds = 50000;
};

// M3: sums beyond the 32-bit range stop at 2147483647, in the preview and in the stored debt
// and credits; the purse still pays out the whole loan.
constexpr Visit kHeldDebt = {
    "M3: debt and credits held",        kInt32Max - 50, kInt32Max - 100, "L\n1000\ny\n-1\n",
    "2147483647 2147483647 9999000 12", 10000000};

constexpr Visit kVisits[] = {
    kHeldDebt,
    {"M3: the purse held", 3000, 2000, "P\n100\nY\n-1\n", "2900 1900 2147483647 7", kInt32Max - 10},
    {"a loan of the whole purse", 3000, 2000, "L\n50000\nY\n-1\n", "53000 52000 0 12"},
    {"a loan of 0 takes today's rate", 3000, 2000, "L\n0\ny\n-1\n", "3000 2000 50000 12"},
    {"a declined loan", 3000, 2000, "L\n100\nN\n-1\n", "3000 2000 50000 7"},
    {"M5: x keeps 100, y lends it again", 3000, 2000, "L\n100\nY\nxy\n-1\n", "3200 2200 49800 12"},
    {"e leaves at once", 3000, 2000, "e\n", "3000 2000 50000 7"},
    {"a payment of all the credits", 1500, 2000, "P\n1500\ny\n-1\n", "0 500 51500 7"},
    {"no loan: (c) refuses any amount", 3000, 0, "P\n1\n3000\n0\ny\n-1\n", "3000 0 50000 7"},
};

// The state after a visit as "credits loan purse rate"; `output` receives the screens.
std::string visitBank(const Visit& visit, std::string* output = nullptr) {
  std::int32_t credits = visit.credits;
  std::int32_t loan = visit.loan;
  std::int32_t bankFunds = visit.bankFunds;
  std::int32_t currentRate = 7;
  std::istringstream in{"\n" + std::string(visit.input)};
  std::ostringstream out;
  Console console(in, out);
  federationBank(console, credits, loan, 'a', 12, currentRate, bankFunds);
  if (output != nullptr) *output = out.str();
  return std::to_string(credits) + " " + std::to_string(loan) + " " + std::to_string(bankFunds) +
         " " + std::to_string(currentRate);
}

TEST(FederationBankTest, LoansAndPaymentsUpToEveryLimit) {
  for (const Visit& visit : kVisits) EXPECT_EQ(visitBank(visit), visit.after) << visit.why;
  std::string output;
  visitBank(kHeldDebt, &output);
  EXPECT_NE(output.find("Loan will become: 2147483647\n"), std::string::npos);
}

}  // namespace
}  // namespace nebulance
