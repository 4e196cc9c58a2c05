#include "shell/console.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

namespace nebulance {
namespace {

// What the reads left waiting in the input, as the console's next reads find it.
std::string rest(Console& console) {
  std::string left;
  try {
    for (;;) left.push_back(console.readChar());
  } catch (const EndOfInput&) {
    return left;
  }
}

enum class Read { stored, kept, endsTheGame };

struct NumberReadCase {
  const char* name;  // the case's name in the test list: letters, digits and underscores
  const char* typed;
  Read read;
  std::int32_t field;   // the field after the read; it starts at 7
  const char* waiting;  // what the next reads find; "" means the next read ends the game
};

// A failing case shows what was typed, escaped, rather than the bytes of its pointers.
void PrintTo(const NumberReadCase& example, std::ostream* out) {
  *out << ::testing::PrintToString(std::string(example.typed));
}

class NumberReadTest : public ::testing::TestWithParam<NumberReadCase> {};

TEST_P(NumberReadTest, StoresTheNumberOrKeepsTheFieldAndLeavesTheRestWaiting) {
  const NumberReadCase& example = GetParam();
  std::istringstream in(example.typed);
  std::ostringstream out;
  Console console(in, out);
  std::int32_t field = 7;
  if (example.read == Read::endsTheGame) {
    EXPECT_THROW(console.readNumber(field), EndOfInput);
  } else {
    EXPECT_EQ(console.readNumber(field), example.read == Read::stored);
  }
  EXPECT_EQ(field, example.field);
  EXPECT_EQ(rest(console), example.waiting);
}

// Named cases, so that a case keeps its name from build to build and `ctest -R` can pick it.
INSTANTIATE_TEST_SUITE_P(
    Console, NumberReadTest,
    ::testing::Values(
        // White space of any kind, line ends included, is skipped first; the line end after
        // the number waits for the next entry's first read.
        NumberReadCase{"WhiteSpaceFirst", " \n\t 3\n", Read::stored, 3, "\n"},
        NumberReadCase{"Minus", "-17\n", Read::stored, -17, "\n"},
        NumberReadCase{"Plus", "+8\n", Read::stored, 8, "\n"},
        // A lone sign is taken and dropped; what follows it waits.
        NumberReadCase{"LoneSign", "-\n5\n", Read::kept, 7, "\n5\n"},
        NumberReadCase{"TwoSigns", "--3\n", Read::kept, 7, "-3\n"},
        // Letters are not taken at all; after a number they wait for the next entries.
        NumberReadCase{"LettersOnly", "\n abc\n", Read::kept, 7, "abc\n"},
        NumberReadCase{"LettersAfterDigits", "12abc\n", Read::stored, 12, "abc\n"},
        // Beyond 32 bits the value is held at the limit, and every digit is still taken.
        NumberReadCase{"OneAboveTheMaximum", "2147483648\n", Read::stored, 2147483647, "\n"},
        NumberReadCase{"FarAboveTheMaximum", "99999999999999999999999\n", Read::stored, 2147483647,
                       "\n"},
        NumberReadCase{"OneBelowTheMinimum", "-2147483649\n", Read::stored, -2147483647 - 1, "\n"},
        NumberReadCase{"LeadingZeros", "-0000000000000000000005\n", Read::stored, -5, "\n"},
        // End of input: after white space it ends the game; digits still make their number;
        // a lone sign stores nothing and leaves the end for the next read.
        NumberReadCase{"EndAtOnce", "", Read::endsTheGame, 7, ""},
        NumberReadCase{"EndAfterWhiteSpace", "\n\n\t ", Read::endsTheGame, 7, ""},
        NumberReadCase{"EndAfterDigits", "\n58", Read::stored, 58, ""},
        NumberReadCase{"EndAfterLoneSign", " \n-", Read::kept, 7, ""}),
    [](const ::testing::TestParamInfo<NumberReadCase>& info) { return info.param.name; });

}  // namespace
}  // namespace nebulance
