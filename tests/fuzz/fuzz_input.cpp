#include "fuzz/fuzz_input.h"

#include <array>
#include <istream>
#include <memory>

#include "shell/game.h"

namespace nebulance::fuzzing {

namespace {

// Reads the typed bytes straight from the fuzzer's buffer, without a copy. The whole input
// is available at once, as a pasted session would be.
class ByteSource : public std::streambuf {
 public:
  explicit ByteSource(std::span<const std::uint8_t> bytes) {
    // std::streambuf only reads through the pointers it is given; nothing is written.
    char* begin = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
    setg(begin, begin, begin + bytes.size());
  }
};

struct ClockHeader {
  std::int64_t firstReading = 0;
  std::array<std::uint8_t, 4> steps{};
};

ClockHeader clockHeader(std::span<const std::uint8_t> input) {
  std::array<std::uint8_t, kClockHeaderSize> header{};
  for (std::size_t i = 0; i < header.size() && i < input.size(); ++i) header[i] = input[i];
  ClockHeader clock;
  clock.firstReading = std::int64_t{header[0]} | std::int64_t{header[1]} << 8 |
                       std::int64_t{header[2]} << 16 | std::int64_t{header[3]} << 24;
  for (std::size_t i = 0; i < clock.steps.size(); ++i) clock.steps[i] = header[4 + i];
  return clock;
}

// The first reading, then each later reading one step further on.
Clock advancingClock(const ClockHeader& header) {
  auto readings = std::make_shared<std::int64_t>(0);
  auto now = std::make_shared<std::int64_t>(header.firstReading);
  return [header, readings, now] {
    if (*readings > 0) *now += header.steps[static_cast<std::size_t>(*readings % 4)];
    ++*readings;
    return *now;
  };
}

}  // namespace

void playFuzzInput(std::span<const std::uint8_t> input, std::ostream& out) {
  const ClockHeader header = clockHeader(input);
  const std::span<const std::uint8_t> typed =
      input.size() > kClockHeaderSize ? input.subspan(kClockHeaderSize) : input.subspan(0, 0);
  ByteSource source(typed);
  std::istream in(&source);
  runGame(in, out, advancingClock(header));
}

}  // namespace nebulance::fuzzing
