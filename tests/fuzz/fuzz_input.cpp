#include "fuzz/fuzz_input.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <string>

#include "game/game.h"

namespace nebulance::fuzzing {

namespace {

constexpr std::size_t kClockHeaderSize = 8;

// The first reading, then each later reading one step further on.
Clock advancingClock(std::span<const std::uint8_t> input) {
  std::array<std::uint8_t, kClockHeaderSize> header{};
  std::copy_n(input.begin(), std::min(input.size(), header.size()), header.begin());
  std::int64_t first = 0;
  for (std::size_t i = 4; i-- > 0;) first = first << 8 | header[i];
  return [header, now = first, readings = std::size_t{0}]() mutable {
    if (readings > 0) now += header[4 + readings % 4];
    ++readings;
    return now;
  };
}

}  // namespace

void playFuzzInput(std::span<const std::uint8_t> input, std::ostream& out) {
  const auto typed = input.subspan(std::min(input.size(), kClockHeaderSize));
  std::istringstream in(std::string(typed.begin(), typed.end()));
  runGame(in, out, advancingClock(input));
}

}  // namespace nebulance::fuzzing
