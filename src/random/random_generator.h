// The game's one random generator: a linear congruential rule reseeded from the calendar clock.
// Every market generation, travel step and duel turn reseeds it, so steps reached within the
// same clock second repeat the same draws; tests hand in a fixed clock and replay any game.
#pragma once

#include <cstdint>
#include <functional>

namespace nebulance {

// Returns the calendar time in whole seconds. The real game wraps std::time; tests fix it.
using Clock = std::function<std::int64_t()>;

class RandomGenerator {
 public:
  explicit RandomGenerator(Clock clock) : clock_(std::move(clock)) {}

  // Reads the clock once and makes its seconds the new state.
  void reseedFromClock() { state_ = static_cast<std::uint32_t>(clock_()); }

  // Returns the next draw, 0..32767.
  int draw() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 32767u);
  }

  // Returns draw mod `divisor` plus `offset`. REQUIRES: divisor > 0.
  int drawModulo(int divisor, int offset = 0) { return draw() % divisor + offset; }

 private:
  Clock clock_;
  std::uint32_t state_ = 0;
};

}  // namespace nebulance
