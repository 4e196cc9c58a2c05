// The Federation Bank: loans out of the bank's purse and payments back into it.
#pragma once

#include <cstdint>

#include "shell/console.h"

namespace nebulance {

// The menu reached with B from the dashboard; returns when the player leaves the bank.
void federationBank(Console& console, std::int32_t& credits, std::int32_t& loan,
                    std::int32_t interestRate, std::int32_t& currentRate, std::int32_t& bankFunds);

// Any number of loans, until the player enters -1. A loan may not exceed `bankFunds`; once
// finalized it moves from the purse to `loan` and `credits` and sets `currentRate` to today's
// `interestRate`. Sums beyond the 32-bit range are held at the limit.
void loanScreen(Console& console, std::int32_t& credits, std::int32_t& loan,
                std::int32_t interestRate, std::int32_t& currentRate, std::int32_t& bankFunds);

// Any number of payments, until the player enters -1. A payment may exceed neither `credits`
// nor `loan`; once finalized it moves from `credits` and `loan` back into `bankFunds`.
void paymentScreen(Console& console, std::int32_t& credits, std::int32_t& loan,
                   std::int32_t interestRate, std::int32_t currentRate, std::int32_t& bankFunds);

}  // namespace nebulance
