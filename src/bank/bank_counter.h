// The pieces that the Federation Bank's screens share: the rate box under every screen, the
// teller's window of the Loan and Payment screens, the amount entry and the confirmation.
// Only the bank's own screens include this.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "shell/console.h"
#include "shell/saturating.h"

namespace nebulance {

// The amount that leaves the Loan or Payment screen.
inline constexpr std::int32_t kExitAmount = -1;
// The amount before any answer: check (a) refuses it like any negative amount but -1.
inline constexpr std::int32_t kNoAmount = kInt32Min;

inline constexpr std::string_view kTransactionWillBeFinal =
    "                       Your transaction will be final.\n";
// Printed without a line break: the redrawn screen starts on the same line.
inline constexpr std::string_view kBankTransactionComplete =
    "                       Transaction complete.";
inline constexpr std::string_view kThankYouForVisiting =
    "                       Thank you for visiting.\n";
inline constexpr std::string_view kNegativeAmountError =
    R"art(                       Input error. Enter a positive integer.
                       Input -1 to exit.
)art";
inline constexpr std::string_view kLoanAmountReprompt =
    "                       Enter Loan Amount (?/-1): ";
inline constexpr std::string_view kPaymentReprompt =
    "                       Enter Payment (?/-1): ";

enum class TellerWindow { loan, payment };

// Lines 11 to 17 of every bank screen, up to the word the screen's own question starts with.
void rateBox(Console& console, std::int32_t interestRate, std::int32_t currentRate);

// The whole Loan or Payment screen, ending with its amount prompt.
void tellerWindow(Console& console, TellerWindow window, std::int32_t credits, std::int32_t loan,
                  std::int32_t bankFunds, std::int32_t interestRate, std::int32_t currentRate);

// What a check says about an amount: the message lines of the first limit that it breaks and
// the question asked again, or nothing at all when the amount passes.
struct AmountRefusal {
  std::string_view message;
  std::string_view reprompt;
};
using AmountCheck = std::function<AmountRefusal(std::int32_t amount)>;

// Makes a number entry into `amount`, then prints the refusal and enters again until `check`
// lets the amount pass. A non-number keeps the amount as it was.
void checkedAmountEntry(Console& console, std::int32_t& amount, const AmountCheck& check);

// Asks "Finalize loan? (Y/N): " and repeats with `reprompt` until the answer is Y or N, in either
// case. Returns true for Y.
bool finalized(Console& console, std::string_view reprompt);

}  // namespace nebulance
