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

AmountRefusal paymentRefusal(std::int32_t amount, std::int32_t credits, std::int32_t loan) {
  if (amount == kExitAmount) return {};
  if (amount < 0) return {kNegativeAmountError, kPaymentReprompt};
  if (amount > credits) return {kCreditsTooFew, kPaymentReprompt};
  // The teller asks for the amount again in the words of the Loan screen.
  if (amount > loan) return {kPaymentAboveLoan, kLoanAmountReprompt};
  return {};
}

void paymentPreview(Console& console, std::int32_t credits, std::int32_t loan,
                    std::int32_t amount) {
  console.print(kTransactionWillBeFinal);
  console.format("                       Credits will become: %d\n",
                 saturatingSubtract(credits, amount));
  console.format("                       Loan will become: %d\n", saturatingSubtract(loan, amount));
}

}  // namespace

void paymentScreen(Console& console, std::int32_t& credits, std::int32_t& loan,
                   std::int32_t interestRate, std::int32_t currentRate, std::int32_t& bankFunds) {
  std::int32_t amount = kNoAmount;
  for (;;) {
    tellerWindow(console, TellerWindow::payment, credits, loan, bankFunds, interestRate,
                 currentRate);
    checkedAmountEntry(console, amount,
                       [&](std::int32_t amount) { return paymentRefusal(amount, credits, loan); });
    if (amount == kExitAmount) return console.print(kThankYouForVisiting);

    paymentPreview(console, credits, loan, amount);
    if (!finalized(console, "                       Finalize Payment? [ Y ]es or [ N ]o: ")) {
      continue;
    }
    bankFunds = saturatingAdd(bankFunds, amount);
    loan = saturatingSubtract(loan, amount);
    credits = saturatingSubtract(credits, amount);
    console.print(kBankTransactionComplete);
  }
}

}  // namespace nebulance
