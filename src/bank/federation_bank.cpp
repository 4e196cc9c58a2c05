#include "bank/federation_bank.h"

namespace nebulance {

void federationBank(Console&, std::int32_t&, std::int32_t&, char, std::int32_t, std::int32_t&,
                    std::int32_t&) {}

}  // namespace nebulance
