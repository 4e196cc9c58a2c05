#include "bank/bank_counter.h"

namespace nebulance {

namespace {

constexpr std::string_view kRateBox = R"art(                    |-------------------------||-|
                /---| Interest Rate: %2d%%      \\_|_
               / /--| Current Rate: %2d%%        \___|
              / /   |----------------------------|
              | |
              \ \____
               \_____: )art";

// Lines 1 to 10 of the Loan and Payment screens. %s is the margin before the ledger of line 4,
// one space wider on the Payment screen.
constexpr std::string_view kTellerWindow = R"art(         |-----------------|
     /---< Federation Bank >----------------------\
     |   |-----------------| Credits: %10d   \
     |%s___________     | Loan: %10d       \
     |  |-|           ||   |======================__=|
     |__| | -1 - Exit ||   |  Credits Available   || |
        |-|___________||   |    RP %10d     || |
                           |                    __// |
                           |-------------------/__/--|
                                              //
)art";

struct TellerWindowText {
  std::string_view ledgerMargin;
  std::string_view prompt;
};

constexpr TellerWindowText kLoanWindow = {"     ", "Enter Loan Amount (?/-1): "};
constexpr TellerWindowText kPaymentWindow = {"      ", "Enter Payment (?/-1): "};

bool isYesOrNo(char answer) {
  return answer == 'Y' || answer == 'y' || answer == 'N' || answer == 'n';
}

}  // namespace

void rateBox(Console& console, const Purse& purse, const Bank& bank) {
  console.format(kRateBox, bank.interestRate, purse.currentRate);
}

void tellerWindow(Console& console, TellerWindow window, const Purse& purse, const Bank& bank) {
  const TellerWindowText& text = window == TellerWindow::loan ? kLoanWindow : kPaymentWindow;
  console.format(kTellerWindow, purse.credits, text.ledgerMargin, purse.loan, bank.bankFunds);
  rateBox(console, purse, bank);
  console.print(text.prompt);
}

bool finalized(Console& console, std::string_view reprompt) {
  console.print("                       Finalize loan? (Y/N): ");
  char answer = console.letterEntry();
  while (!isYesOrNo(answer)) {
    console.print(reprompt);
    answer = console.letterEntry();
  }
  return answer == 'Y' || answer == 'y';
}

}  // namespace nebulance
