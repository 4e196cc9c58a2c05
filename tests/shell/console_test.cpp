#include "shell/console.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

namespace nebulance {
namespace {

// A console over a typed script; `rest()` shows what the reads left waiting.
class ScriptedConsole {
 public:
  explicit ScriptedConsole(const std::string& typed) : in_(typed), console_(in_, out_) {}
  Console& console() { return console_; }
  std::string output() {
    console_.flush();
    return out_.str();
  }
  std::string rest() {
    std::string left;
    for (int c = in_.rdbuf()->sbumpc(); c != std::char_traits<char>::eof();
         c = in_.rdbuf()->sbumpc()) {
      left.push_back(static_cast<char>(c));
    }
    return left;
  }

 private:
  std::istringstream in_;
  std::ostringstream out_;
  Console console_;
};

enum class Read { stored, kept, endsTheGame };

struct NumberReadCase {
  const char* typed;
  Read read;
  std::int32_t field;   // the field after the read; it starts at 7
  const char* waiting;  // what the next reads find; "" means the next read ends the game
};

class NumberReadTest : public ::testing::TestWithParam<NumberReadCase> {};

TEST_P(NumberReadTest, StoresTheNumberOrKeepsTheFieldAndLeavesTheRestWaiting) {
  const NumberReadCase& example = GetParam();
  ScriptedConsole typed(example.typed);
  std::int32_t field = 7;
  if (example.read == Read::endsTheGame) {
    EXPECT_THROW(typed.console().readNumber(field), EndOfInput);
  } else {
    EXPECT_EQ(typed.console().readNumber(field), example.read == Read::stored);
  }
  EXPECT_EQ(field, example.field);
  EXPECT_EQ(typed.rest(), example.waiting);
}

INSTANTIATE_TEST_SUITE_P(
    Console, NumberReadTest,
    ::testing::Values(
        // Plain numbers leave their line end for the next entry's first read.
        NumberReadCase{"42\n", Read::stored, 42, "\n"},
        NumberReadCase{"007\n", Read::stored, 7, "\n"},
        // White space of any kind, line ends included, is skipped first.
        NumberReadCase{" \n\t 3\n", Read::stored, 3, "\n"},
        NumberReadCase{"-17\n", Read::stored, -17, "\n"},
        NumberReadCase{"+8\n", Read::stored, 8, "\n"},
        // A lone sign is taken and dropped; what follows it waits.
        NumberReadCase{"-\n5\n", Read::kept, 7, "\n5\n"},
        NumberReadCase{"--3\n", Read::kept, 7, "-3\n"},
        // Letters are not taken at all; after a number they wait for the next entries.
        NumberReadCase{"\n abc\n", Read::kept, 7, "abc\n"},
        NumberReadCase{"12abc\n", Read::stored, 12, "abc\n"},
        // Beyond 32 bits the value is held at the limit, and every digit is still taken.
        NumberReadCase{"2147483648\n", Read::stored, 2147483647, "\n"},
        NumberReadCase{"99999999999999999999999\n", Read::stored, 2147483647, "\n"},
        NumberReadCase{"-2147483649\n", Read::stored, -2147483647 - 1, "\n"},
        NumberReadCase{"-0000000000000000000005\n", Read::stored, -5, "\n"},
        // End of input: after white space it ends the game; digits still make their number;
        // a lone sign stores nothing and leaves the end for the next read.
        NumberReadCase{"", Read::endsTheGame, 7, ""},
        NumberReadCase{"\n\n\t ", Read::endsTheGame, 7, ""},
        NumberReadCase{"\n58", Read::stored, 58, ""}, NumberReadCase{" \n-", Read::kept, 7, ""}));

TEST(ConsoleTest, EntriesFirstEatTheLineEndOfThePreviousEntry) {
  ScriptedConsole script("\n3\nT\n\nq\n");
  char inputChar = 0;
  std::int32_t number = 0;
  script.console().numberEntry(inputChar, number);
  EXPECT_EQ(inputChar, '\n');
  EXPECT_EQ(number, 3);
  char letter = 0;
  script.console().letterEntry(inputChar, letter);
  EXPECT_EQ(letter, 'T');
  // A pause takes the old line end and the key; Enter alone is a key too.
  script.console().pause(inputChar);
  EXPECT_EQ(inputChar, '\n');
  EXPECT_EQ(script.rest(), "q\n");
}

// Each entry takes one waiting character first, so letters are used up one per entry.
TEST(ConsoleTest, NumberEntryOnLettersKeepsTheFieldAndUsesUpOneCharacter) {
  ScriptedConsole script("\nab\n");
  char inputChar = 0;
  std::int32_t number = 4;
  script.console().numberEntry(inputChar, number);
  EXPECT_EQ(number, 4);
  script.console().numberEntry(inputChar, number);
  EXPECT_EQ(inputChar, 'a');
  EXPECT_EQ(number, 4);
  EXPECT_EQ(script.rest(), "b\n");
}

}  // namespace
}  // namespace nebulance
