// The Federation Bank: loans out of the bank's purse and payments back into it.
#pragma once

#include <cstdint>

#include "shell/console.h"

namespace nebulance {

// The menu reached with B from the dashboard; returns when the player leaves the bank.
// `inputChar` is the screen's own copy for discarded characters.
void federationBank(Console& console, std::int32_t& credits, std::int32_t& loan, char inputChar,
                    std::int32_t interestRate, std::int32_t& currentRate, std::int32_t& bankFunds);

}  // namespace nebulance
