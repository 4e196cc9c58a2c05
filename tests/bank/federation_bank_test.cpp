// Visits made straight to the Federation Bank's menu, for the sums past the 32-bit range that no
// game reaches; the limits a game can reach are whole sessions (tests/data/sessions/bank-*).
#include "bank/federation_bank.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "shell/saturating.h"

namespace nebulance {
namespace {

// A visit on a day when the bank offers 12% and the debt runs at 7%: the input follows the line
// end of the dashboard's command and leaves the bank. Returns "credits loan purse rate", the
// debt's rate last; `output` receives the screens.
std::string visitBank(Purse purse, Bank bank, std::string_view input, std::string& output) {
  purse.currentRate = 7;
  bank.interestRate = 12;
  std::istringstream in{"\n" + std::string(input)};
  std::ostringstream out;
  Console console(in, out);
  federationBank(console, purse, bank);
  console.flush();
  output = out.str();
  std::ostringstream settled;
  settled << purse.credits << ' ' << purse.loan << ' ' << bank.bankFunds << ' '
          << purse.currentRate;
  return settled.str();
}

// M3: the preview, the stored debt and the credits stop at 2147483647 while the purse still pays
// out the whole loan; a payment into a purse near the top holds it there.
TEST(FederationBankTest, SumsPastTheRangeAreHeldAtTheLimit) {
  std::string output;
  EXPECT_EQ(visitBank({.credits = kInt32Max - 50, .loan = kInt32Max - 100}, {.bankFunds = 10000000},
                      "L\n1000\ny\n-1\n", output),
            "2147483647 2147483647 9999000 12");
  EXPECT_NE(output.find("Loan will become: 2147483647\n"), std::string::npos);
  EXPECT_EQ(visitBank({.credits = 3000, .loan = 2000}, {.bankFunds = kInt32Max - 10},
                      "P\n100\nY\n-1\n", output),
            "2900 1900 2147483647 7");
}

}  // namespace
}  // namespace nebulance
