#include "bank/bank_counter.h"
#include "bank/federation_bank.h"

namespace nebulance {

namespace {

constexpr std::string_view kCreditsTooFew =
    R"art(                       Input error. Credits are not
                       enough to complete your payment.
)art";

constexpr std::string_view kPaymentAboveLoan =
    R"art(                       Input error. Payment exceeds
                       total loan amount.
)art";

EntryRefusal paymentRefusal(std::int32_t amount, const Purse& purse) {
  if (amount == kExitAmount) return {};
  if (amount < 0) return {kNegativeAmountError, kPaymentReprompt};
  if (amount > purse.credits) return {kCreditsTooFew, kPaymentReprompt};
  // The teller asks for the amount again in the words of the Loan screen.
  if (amount > purse.loan) return {kPaymentAboveLoan, kLoanAmountReprompt};
  return {};
}

void paymentPreview(Console& console, std::int32_t amount, const Purse& purse) {
  console.print(kTransactionWillBeFinal);
  console.format("                       Credits will become: %d\n",
                 saturatingSubtract(purse.credits, amount));
  console.format("                       Loan will become: %d\n",
                 saturatingSubtract(purse.loan, amount));
}

}  // namespace

void paymentScreen(Console& console, Purse& purse, Bank& bank) {
  // As on the Loan screen, an entry that is not a number keeps the last amount.
  std::int32_t amount = kNoAmount;
  for (;;) {
    tellerWindow(console, TellerWindow::payment, purse, bank);
    checkedNumberEntry(console, amount,
                       [&](std::int32_t amount) { return paymentRefusal(amount, purse); });
    if (amount == kExitAmount) return console.print(kThankYouForVisiting);

    paymentPreview(console, amount, purse);
    if (!finalized(console, "                       Finalize Payment? [ Y ]es or [ N ]o: ")) {
      continue;
    }
    bank.bankFunds = saturatingAdd(bank.bankFunds, amount);
    purse.loan = saturatingSubtract(purse.loan, amount);
    purse.credits = saturatingSubtract(purse.credits, amount);
    console.print(kBankTransactionComplete);
  }
}

}  // namespace nebulance
