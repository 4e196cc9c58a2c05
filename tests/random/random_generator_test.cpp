#include "random/random_generator.h"

#include <gtest/gtest.h>

namespace nebulance {
namespace {

// Worked by hand: state 1 -> 1 * 214013 + 2531011 = 2745024, >> 16 = 41; then
// 2745024 * 214013 + 2531011 mod 2^32 = 1210316419, >> 16 = 18467. A reseed in the same second
// starts the same sequence again.
TEST(RandomGeneratorTest, DrawsFollowTheLinearRuleFromEachReseed) {
  RandomGenerator random([] { return 1; });
  for (int reseed = 0; reseed < 2; ++reseed) {
    random.reseedFromClock();
    EXPECT_EQ(random.draw(), 41);
    EXPECT_EQ(random.drawModulo(16, 5), 18467 % 16 + 5);
  }
}

}  // namespace
}  // namespace nebulance
