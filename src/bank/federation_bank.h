// The Federation Bank: loans out of the bank's purse and payments back into it.
#pragma once

#include "shell/console.h"
#include "shell/game_state.h"

namespace nebulance {

// The menu reached with B from the dashboard; returns when the player leaves the bank.
void federationBank(Console& console, Purse& purse, Bank& bank);

// Any number of loans, until the player enters -1. A loan may not exceed the bank's funds; once
// finalized it moves from the bank's funds into the purse's loan and credits and sets the loan's
// rate to today's. Sums beyond the 32-bit range are held at the limit.
void loanScreen(Console& console, Purse& purse, Bank& bank);

// Any number of payments, until the player enters -1. A payment may exceed neither the credits
// nor the loan; once finalized it moves from the credits and the loan back into the bank's funds.
void paymentScreen(Console& console, Purse& purse, Bank& bank);

}  // namespace nebulance
