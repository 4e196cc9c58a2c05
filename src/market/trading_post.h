// The Trading Post of the current planet: one purchase or one sale per visit.
#pragma once

#include <cstdint>

#include "shell/console.h"
#include "shell/game_state.h"

namespace nebulance {

// The menu reached with S from the dashboard; returns when the visit's one transaction is done
// or abandoned. `inputChar` is the screen's own copy for discarded characters.
void tradingPost(Console& console, char inputChar, const ProductCounts& prices,
                 std::int32_t& credits, std::int32_t& workAmount, ProductCounts& cargo,
                 ProductCounts& stock, std::int32_t nabooTradeAllowed, std::int32_t location,
                 std::int32_t purchaseDiscount);

}  // namespace nebulance
