#include "market/trading_post.h"

namespace nebulance {

void tradingPost(Console&, char, const ProductCounts&, std::int32_t&, std::int32_t&, ProductCounts&,
                 ProductCounts&, std::int32_t, std::int32_t, std::int32_t) {}

}  // namespace nebulance
