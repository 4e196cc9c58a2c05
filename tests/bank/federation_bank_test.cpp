// The Federation Bank: whole sessions compared with reviewed transcripts, and visits made
// straight to the menu over string streams for limits and held values.
#include "bank/federation_bank.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "shell/game_state.h"
#include "shell/saturating.h"
#include "support/session.h"

namespace nebulance {
namespace {

using testing::playSession;
using testing::readTestData;
using testing::updateTestData;

// First draws 24751 7499 4134 1641: a safe journey (24751 mod 15 + 1 = 8) to Tattooine, and
// the bank offers 1641 mod 16 + 5 = 9% on day 1.
constexpr std::int64_t kSafeJourney = 1700000000;

// From the start menu to the first dashboard's command at Tattooine, and leaving from there.
constexpr std::string_view kToFirstDashboard = "1\nx\nx\nx\n1\nx\n";
constexpr std::string_view kLeaveGame = "E\n1\n";

void expectSession(std::string_view name, std::string_view commands) {
  const std::string output =
      playSession(std::string(kToFirstDashboard) + std::string(commands) + std::string(kLeaveGame),
                  kSafeJourney);
  updateTestData(name, output);
  EXPECT_EQ(output, readTestData(name)) << name;
}

TEST(FederationBankSessionTest, LoanAfterEachRefusal) {
  // A wrong menu letter, then a lower-case l. No number yet: refused as negative (a); -5 (a);
  // one credit more than the purse (b); -5 again stopped by (a); 1000 at 9%, a wrong answer to
  // the question, y; the screen comes back on the completion line, and -1 leaves the bank.
  expectSession("bank_loan_session.txt", "B\nz\nl\nx\n-5\n10000001\n-5\n1000\nq\ny\n-1\n");
}

TEST(FederationBankSessionTest, PaymentAfterEachRefusal) {
  // A loan of 5000 first. Then: no number (a); 7001 above the 7000 credits (b); 5001 above the
  // loan (c), asked again in the Loan screen's words; 7001 stopped by (b) again; 2000 with a
  // wrong answer, then Y; 3000, the whole rest of the loan, declined with n and then paid.
  expectSession("bank_payment_session.txt",
                "B\nL\n5000\nY\n-1\nB\np\nx\n7001\n5001\n7001\n2000\n?\nY\n3000\nn\n3000\ny\n-1\n");
}

// A visit made straight to the bank's menu; the input starts with the line end that the
// dashboard's command left behind.
struct Visit {
  std::string output;
  GameState state;
};

Visit visitBank(std::string_view input, GameState state) {
  std::istringstream in{std::string(input)};
  std::ostringstream out;
  {
    Console console(in, out);
    federationBank(console, state.credits, state.loan, state.inputChar, state.interestRate,
                   state.currentRate, state.bankFunds);
  }
  return {out.str(), state};
}

void expectTranscript(std::string_view name, const std::string& output) {
  updateTestData(name, output);
  EXPECT_EQ(output, readTestData(name)) << name;
}

GameState bankDay() {
  GameState state;
  state.credits = 3000;
  state.loan = 2000;
  state.bankFunds = 50000;
  state.interestRate = 12;
  state.currentRate = 7;
  return state;
}

int occurrences(const std::string& text, std::string_view part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

bool endsWith(const std::string& text, std::string_view end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

constexpr std::string_view kThankYou = "                       Thank you for visiting.\n";

TEST(FederationBankMenuTest, WrongLetterShowsTheErrorAndTheMenuAgain) {
  expectTranscript("bank_menu_error.txt", visitBank("\n?\nE\n", bankDay()).output);
}

TEST(FederationBankMenuTest, LettersOfEitherCaseChooseTheirScreen) {
  struct Case {
    std::string_view input;
    std::string_view screenPrompt;
  };
  const Case cases[] = {
      {"\nL\n-1\n", "Enter Loan Amount (?/-1): "}, {"\nl\n-1\n", "Enter Loan Amount (?/-1): "},
      {"\nP\n-1\n", "Enter Payment (?/-1): "},     {"\np\n-1\n", "Enter Payment (?/-1): "},
      {"\nE\n", "Enter Choice (L/P/E): "},         {"\ne\n", "Enter Choice (L/P/E): "},
  };
  for (const Case& c : cases) {
    const Visit visit = visitBank(c.input, bankDay());
    EXPECT_EQ(occurrences(visit.output, "Enter Choice (L/P/E): "), 1) << c.input;
    EXPECT_EQ(occurrences(visit.output, c.screenPrompt), 1) << c.input;
    EXPECT_EQ(visit.state, bankDay()) << c.input;
  }
}

TEST(LoanScreenTest, WholePurseCanBeLentButNotOneCreditMore) {
  Visit visit = visitBank("\nL\n50000\nY\n-1\n", bankDay());
  EXPECT_EQ(visit.state.bankFunds, 0);
  EXPECT_EQ(visit.state.loan, 52000);
  EXPECT_EQ(visit.state.credits, 53000);
  EXPECT_EQ(visit.state.currentRate, 12);

  visit = visitBank("\nL\n50001\n-1\n", bankDay());
  EXPECT_EQ(occurrences(visit.output, "Input error. Bank Deposits are not"), 1);
  EXPECT_EQ(visit.state, bankDay());
}

TEST(LoanScreenTest, ZeroLoanOnlyMovesTheRateToTodaysOffer) {
  const Visit visit = visitBank("\nL\n0\ny\n-1\n", bankDay());
  GameState expected = bankDay();
  expected.currentRate = 12;
  EXPECT_EQ(visit.state, expected);
  EXPECT_EQ(occurrences(visit.output, "                       Transaction complete.         |"), 1);
}

TEST(LoanScreenTest, DeclinedLoanChangesNothing) {
  const Visit visit = visitBank("\nL\n100\nN\n-1\n", bankDay());
  EXPECT_EQ(visit.state, bankDay());
  EXPECT_EQ(occurrences(visit.output, "Transaction complete."), 0);
}

TEST(LoanScreenTest, InterestPerDayShowsSixDecimals) {
  struct Case {
    std::int32_t interestRate;
    std::string_view shown;
  };
  for (const Case c : {Case{5, "0.050000"}, Case{12, "0.120000"}, Case{20, "0.200000"}}) {
    GameState state = bankDay();
    state.interestRate = c.interestRate;
    const Visit visit = visitBank("\nL\n1\nn\n-1\n", state);
    EXPECT_EQ(occurrences(visit.output, "                       Interest per day will be: " +
                                            std::string(c.shown) + "\n"),
              1)
        << c.interestRate;
  }
}

TEST(LoanScreenTest, NoNumberAfterALoanAsksAboutTheSameAmountAgain) {
  // After 100 is lent, the x leaves the amount at 100: the question comes again, and n declines.
  const Visit visit = visitBank("\nL\n100\nY\nxn\n-1\n", bankDay());
  EXPECT_EQ(occurrences(visit.output, "Loan will become: 2100\n"), 1);
  EXPECT_EQ(occurrences(visit.output, "Loan will become: 2200\n"), 1);
  EXPECT_EQ(visit.state.loan, 2100);
}

TEST(LoanScreenTest, MinusOneLeavesFromEveryRefusal) {
  for (const std::string_view input :
       {"\nL\n-1\n", "\nL\n-7\n-1\n", "\nL\n60000\n-1\n", "\nL\nq\n-1\n", "\nL\n60000\n-7\n-1\n"}) {
    const Visit visit = visitBank(input, bankDay());
    EXPECT_TRUE(endsWith(visit.output, kThankYou)) << input;
    EXPECT_EQ(visit.state, bankDay()) << input;
  }
}

TEST(LoanScreenTest, LoanBeyondTheRangeIsHeldAtTheLimit) {
  // The preview and the stored debt and credits stop at 2147483647; the purse pays the whole
  // amount.
  GameState state = bankDay();
  state.loan = kInt32Max - 100;
  state.credits = kInt32Max - 50;
  state.bankFunds = 10000000;
  const Visit visit = visitBank("\nL\n1000\ny\n-1\n", state);
  expectTranscript("bank_loan_saturation.txt", visit.output);
  EXPECT_EQ(visit.state.loan, kInt32Max);
  EXPECT_EQ(visit.state.credits, kInt32Max);
  EXPECT_EQ(visit.state.bankFunds, 9999000);
}

TEST(PaymentScreenTest, PaymentsUpToTheLoanAndTheCredits) {
  struct Case {
    std::string_view name;
    std::int32_t credits;
    std::int32_t loan;
    std::string_view input;
    std::int32_t creditsAfter;
    std::int32_t loanAfter;
  };
  const Case cases[] = {
      {"the whole loan", 3000, 2000, "\nP\n2000\ny\n-1\n", 1000, 0},
      {"all the credits", 1500, 2000, "\nP\n1500\ny\n-1\n", 0, 500},
      {"one credit above the credits", 1500, 2000, "\nP\n1501\n-1\n", 1500, 2000},
      {"one credit above the loan", 3000, 2000, "\nP\n2001\n-1\n", 3000, 2000},
      {"nothing on no loan", 3000, 0, "\nP\n0\nY\n-1\n", 3000, 0},
  };
  for (const Case& c : cases) {
    GameState state = bankDay();
    state.credits = c.credits;
    state.loan = c.loan;
    const Visit visit = visitBank(c.input, state);
    EXPECT_EQ(visit.state.credits, c.creditsAfter) << c.name;
    EXPECT_EQ(visit.state.loan, c.loanAfter) << c.name;
    EXPECT_EQ(visit.state.bankFunds, 50000 + c.credits - c.creditsAfter) << c.name;
    EXPECT_EQ(visit.state.currentRate, 7) << c.name;  // payments keep the rate
  }
}

TEST(PaymentScreenTest, NoLoanRefusesEveryPositiveAmount) {
  GameState state = bankDay();
  state.loan = 0;
  const Visit visit = visitBank("\nP\n1\n3000\n0\ny\n-1\n", state);
  EXPECT_EQ(occurrences(visit.output, "Input error. Payment exceeds"), 2);
  EXPECT_EQ(occurrences(visit.output, "Transaction complete."), 1);
  EXPECT_EQ(visit.state, state);
}

TEST(PaymentScreenTest, MinusOneLeavesFromEveryRefusal) {
  for (const std::string_view input :
       {"\nP\n-1\n", "\nP\n-9\n-1\n", "\nP\n3001\n-1\n", "\nP\n2001\n-1\n", "\nP\nq\n-1\n"}) {
    const Visit visit = visitBank(input, bankDay());
    EXPECT_TRUE(endsWith(visit.output, kThankYou)) << input;
    EXPECT_EQ(visit.state, bankDay()) << input;
  }
}

TEST(PaymentScreenTest, PurseBeyondTheRangeIsHeldAtTheLimit) {
  GameState state = bankDay();
  state.bankFunds = kInt32Max - 10;
  const Visit visit = visitBank("\nP\n100\nY\n-1\n", state);
  EXPECT_EQ(visit.state.bankFunds, kInt32Max);
  EXPECT_EQ(visit.state.loan, 1900);
  EXPECT_EQ(visit.state.credits, 2900);
}

}  // namespace
}  // namespace nebulance
