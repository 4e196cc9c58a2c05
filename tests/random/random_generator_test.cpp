#include "random/random_generator.h"

#include <gtest/gtest.h>

namespace nebulance {
namespace {

// Worked by hand: state 1 -> 1*214013 + 2531011 = 2745024, >> 16 = 41; then
// 2745024*214013 + 2531011 mod 2^32 = 1210316419, >> 16 = 18467.
TEST(RandomGeneratorTest, FirstDrawsFollowTheLinearRule) {
  RandomGenerator random([] { return 1; });
  random.reseedFromClock();
  EXPECT_EQ(random.draw(), 41);
  EXPECT_EQ(random.draw(), 18467);
}

TEST(RandomGeneratorTest, ReseedingInTheSameSecondRepeatsTheDraws) {
  RandomGenerator random([] { return 1700000000; });
  random.reseedFromClock();
  const int first = random.draw();
  const int second = random.draw();
  random.reseedFromClock();
  EXPECT_EQ(random.draw(), first);
  EXPECT_EQ(random.draw(), second);
}

TEST(RandomGeneratorTest, DrawsStayWithinFifteenBits) {
  RandomGenerator random([] { return 12345; });
  random.reseedFromClock();
  for (int i = 0; i < 100000; ++i) {
    const int value = random.draw();
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 32767);
  }
}

TEST(RandomGeneratorTest, DrawModuloAddsTheOffset) {
  RandomGenerator a([] { return 99; });
  RandomGenerator b([] { return 99; });
  a.reseedFromClock();
  b.reseedFromClock();
  EXPECT_EQ(a.drawModulo(16, 5), b.draw() % 16 + 5);
}

}  // namespace
}  // namespace nebulance
