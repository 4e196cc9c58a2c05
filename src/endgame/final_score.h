// The end of a game that reached its time limit: the loan is deducted and the score judged.
#pragma once

#include <cstdint>

#include "shell/console.h"

namespace nebulance {

// When `day` is `dayLimit` + 1 (the last jump made), deducts `loan` from `credits` (the final
// score) and shows the score with its verdict; otherwise prints nothing and changes nothing.
void finalScore(Console& console, std::int32_t day, std::int32_t dayLimit, std::int32_t& credits,
                std::int32_t loan);

}  // namespace nebulance
