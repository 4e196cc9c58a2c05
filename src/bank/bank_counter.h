// The pieces that the Federation Bank's screens share: the rate box under every screen, the
// teller's window of the Loan and Payment screens, the amount entry and the confirmation.
// Only the bank's own screens include this.
#pragma once

#include <cstdint>
#include <string_view>

#include "shell/console.h"
#include "shell/game_state.h"
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

// Lines 11 to 17 of every bank screen, up to the word the screen's own question starts with:
// today's rate and the loan's.
void rateBox(Console& console, const Purse& purse, const Bank& bank);

// The whole Loan or Payment screen, ending with its amount prompt.
void tellerWindow(Console& console, TellerWindow window, const Purse& purse, const Bank& bank);

// Asks "Finalize loan? (Y/N): " and repeats with `reprompt` until the answer is Y or N, in either
// case. Returns true for Y.
bool finalized(Console& console, std::string_view reprompt);

}  // namespace nebulance
