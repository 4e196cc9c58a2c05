#include "combat/duel.h"

namespace nebulance {

DuelResult playDuel(Console&, RandomGenerator&, DuelKind) {
  return DuelResult::surrendered;
}

void combatSimulator(Console&, RandomGenerator&) {}

}  // namespace nebulance
