// libFuzzer entry: plays the whole game on every input the fuzzer makes up. Any crash,
// sanitizer report, leak or hang is a finding; save it under tests/fuzz/regressions/.
#include <cstddef>
#include <cstdint>
#include <ostream>

#include "fuzz/fuzz_input.h"

namespace {

// Throws every character away, but the game still takes its whole writing path.
class DiscardingBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char* /*text*/, std::streamsize count) override { return count; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  DiscardingBuffer discarded;
  std::ostream out(&discarded);
  nebulance::fuzzing::playFuzzInput({data, size}, out);
  return 0;
}
