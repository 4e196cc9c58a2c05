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

EntryRefusal loanRefusal(std::int32_t amount, const Bank& bank) {
  if (amount == kExitAmount) return {};
  if (amount < 0) return {kNegativeAmountError, kLoanAmountReprompt};
  if (amount > bank.bankFunds) return {kPurseTooSmall, kLoanAmountReprompt};
  return {};
}

void loanPreview(Console& console, std::int32_t amount, const Purse& purse, const Bank& bank) {
  console.print(kTransactionWillBeFinal);
  console.format("                       Loan will become: %d\n",
                 saturatingAdd(purse.loan, amount));
  console.format("                       Interest per day will be: %f\n",
                 bank.interestRate / kRateDivisor);
}

}  // namespace

void federationBank(Console& console, Purse& purse, Bank& bank) {
  for (;;) {
    console.format(kBankMenu, purse.credits, purse.loan, bank.bankFunds);
    rateBox(console, purse, bank);
    console.print("Enter Choice (L/P/E): ");
    switch (console.letterEntry()) {
      case 'L':
      case 'l':
        return loanScreen(console, purse, bank);
      case 'P':
      case 'p':
        return paymentScreen(console, purse, bank);
      case 'E':
      case 'e':
        return;
      default:
        console.blankBlock(8);
        console.print(kMenuError);
    }
  }
}

void loanScreen(Console& console, Purse& purse, Bank& bank) {
  // An entry that is not a number keeps the last amount: after a loan it offers the same loan
  // again.
  std::int32_t amount = kNoAmount;
  for (;;) {
    tellerWindow(console, TellerWindow::loan, purse, bank);
    checkedNumberEntry(console, amount,
                       [&](std::int32_t amount) { return loanRefusal(amount, bank); });
    if (amount == kExitAmount) return console.print(kThankYouForVisiting);

    loanPreview(console, amount, purse, bank);
    if (!finalized(console, "                       Finalize loan? [ Y ]es or [ N ]o: ")) {
      continue;
    }
    bank.bankFunds = saturatingSubtract(bank.bankFunds, amount);
    purse.loan = saturatingAdd(purse.loan, amount);
    purse.credits = saturatingAdd(purse.credits, amount);
    purse.currentRate = bank.interestRate;  // the whole debt, old and new, now runs at today's rate
    console.print(kBankTransactionComplete);
  }
}

}  // namespace nebulance
