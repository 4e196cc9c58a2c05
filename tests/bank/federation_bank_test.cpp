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
std::string visitBank(std::int32_t credits, std::int32_t loan, std::int32_t bankFunds,
                      std::string_view input, std::string& output) {
  std::int32_t currentRate = 7;
  std::istringstream in{"\n" + std::string(input)};
  std::ostringstream out;
  Console console(in, out);
  federationBank(console, credits, loan, 12, currentRate, bankFunds);
  console.flush();
  output = out.str();
  std::ostringstream settled;
  settled << credits << ' ' << loan << ' ' << bankFunds << ' ' << currentRate;
  return settled.str();
}

// M3: the preview, the stored debt and the credits stop at 2147483647 while the purse still pays
// out the whole loan; a payment into a purse near the top holds it there.
TEST(FederationBankTest, SumsPastTheRangeAreHeldAtTheLimit) {
  std::string output;
  EXPECT_EQ(visitBank(kInt32Max - 50, kInt32Max - 100, 10000000, "L\n1000\ny\n-1\n", output),
            "2147483647 2147483647 9999000 12");
  EXPECT_NE(output.find("Loan will become: 2147483647\n"), std::string::npos);
  EXPECT_EQ(visitBank(3000, 2000, kInt32Max - 10, "P\n100\nY\n-1\n", output),
            "2900 1900 2147483647 7");
}

}  // namespace
}  // namespace nebulance
