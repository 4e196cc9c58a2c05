// libFuzzer entry: plays the whole game on every input the fuzzer makes up. Any crash,
// sanitizer report, leak or hang is a finding; save it under tests/fuzz/regressions/.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nebulance::fuzzing::DiscardingStream out;
  nebulance::fuzzing::playFuzzInput({data, size}, out);
  return 0;
}
