#include "bank/federation_bank.h"

#include "bank/bank_counter.h"
#include "shell/game_state.h"

namespace nebulance {

namespace {

// Lines 1 to 10 of the menu, above the rate box.
constexpr std::string_view kBankMenu = R"art(         |-----------------|
     /---< Federation Bank >---------------------|
     |   |-----------------| Credits: %10d |
     |      __________     | Loan: %10d    |
     |  |--|          ||   |=================__==|
     |__|  | [ E ]xit ||   |     Navigation  ||  |-------------------|
        |--|__________||   |     [ L ]oan    ||  | Credits Available |
                           |     [ P ]ay     \\  |   RP %10d   |
                           |------------------\\-|-------------------|
                                              ||
)art";

constexpr std::string_view kMenuError =
    "                       Input L for Loan, P for Pay, or E to exit.\n";

constexpr std::string_view kPurseTooSmall =
    R"art(                       Input error. Bank Deposits are not
                       enough to complete your loan.
)art";

AmountRefusal loanRefusal(std::int32_t amount, std::int32_t bankFunds) {
  if (amount == kExitAmount) return {};
  if (amount < 0) return {kNegativeAmountError, kLoanAmountReprompt};
  if (amount > bankFunds) return {kPurseTooSmall, kLoanAmountReprompt};
  return {};
}

void loanPreview(Console& console, std::int32_t loan, std::int32_t amount,
                 std::int32_t interestRate) {
  console.print(kTransactionWillBeFinal);
  console.format("                       Loan will become: %d\n", saturatingAdd(loan, amount));
  console.format("                       Interest per day will be: %f\n",
                 interestRate / kRateDivisor);
}

}  // namespace

void federationBank(Console& console, std::int32_t& credits, std::int32_t& loan,
                    std::int32_t interestRate, std::int32_t& currentRate, std::int32_t& bankFunds) {
  for (;;) {
    console.format(kBankMenu, credits, loan, bankFunds);
    rateBox(console, interestRate, currentRate);
    console.print("Enter Choice (L/P/E): ");
    char choice = console.letterEntry();
    switch (choice) {
      case 'L':
      case 'l':
        return loanScreen(console, credits, loan, interestRate, currentRate, bankFunds);
      case 'P':
      case 'p':
        return paymentScreen(console, credits, loan, interestRate, currentRate, bankFunds);
      case 'E':
      case 'e':
        return;
      default:
        console.blankBlock(8);
        console.print(kMenuError);
    }
  }
}

void loanScreen(Console& console, std::int32_t& credits, std::int32_t& loan,
                std::int32_t interestRate, std::int32_t& currentRate, std::int32_t& bankFunds) {
  std::int32_t amount = kNoAmount;
  for (;;) {
    tellerWindow(console, TellerWindow::loan, credits, loan, bankFunds, interestRate, currentRate);
    checkedAmountEntry(console, amount,
                       [&](std::int32_t amount) { return loanRefusal(amount, bankFunds); });
    if (amount == kExitAmount) return console.print(kThankYouForVisiting);

    loanPreview(console, loan, amount, interestRate);
    if (!finalized(console, "                       Finalize loan? [ Y ]es or [ N ]o: ")) {
      continue;
    }
    bankFunds = saturatingSubtract(bankFunds, amount);
    loan = saturatingAdd(loan, amount);
    credits = saturatingAdd(credits, amount);
    currentRate = interestRate;  // the whole debt, old and new, now runs at today's rate
    console.print(kBankTransactionComplete);
  }
}

}  // namespace nebulance
