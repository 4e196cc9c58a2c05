// Turns arbitrary bytes into one whole run of the game, so that the fuzzer, the corpus replay
// and every regression test play an input the same way.
//
// Layout of an input: bytes 0..3 are the clock's first reading in seconds (little endian);
// bytes 4..7 are the steps the clock advances by, used in turn, one per reading after the
// first (a step of 0 repeats the second, as two steps within one real second do); every byte
// after them is typed at the console. A shorter input reads its missing header bytes as 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>

namespace nebulance::fuzzing {

inline constexpr std::size_t kClockHeaderSize = 8;

// Plays the game on `input` and writes everything it prints to `out`. Returns when the game
// returns, which on a finite input it always must.
void playFuzzInput(std::span<const std::uint8_t> input, std::ostream& out);

// An output stream that throws every character away but still takes the game's whole
// writing path.
class DiscardingStream : public std::ostream {
 public:
  DiscardingStream() : std::ostream(&buffer_) {}

 private:
  class DiscardingBuffer : public std::streambuf {
   protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char* /*text*/, std::streamsize count) override { return count; }
  };
  DiscardingBuffer buffer_;
};

}  // namespace nebulance::fuzzing
