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

struct NumberReadCase {
  const char* typed;
  bool stored;
  std::int32_t field;  // the field after the read; it starts at 7
  const char* waiting;
};

class NumberReadTest : public ::testing::TestWithParam<NumberReadCase> {};

TEST_P(NumberReadTest, StoresTheNumberOrKeepsTheFieldAndLeavesTheRestWaiting) {
  const NumberReadCase& example = GetParam();
  ScriptedConsole typed(example.typed);
  std::int32_t field = 7;
  EXPECT_EQ(typed.console().readNumber(field), example.stored);
  EXPECT_EQ(field, example.field);
  EXPECT_EQ(typed.rest(), example.waiting);
}

INSTANTIATE_TEST_SUITE_P(
    Console, NumberReadTest,
    ::testing::Values(
        // Plain numbers leave their line end for the next entry's first read.
        NumberReadCase{"42\n", true, 42, "\n"}, NumberReadCase{"007\n", true, 7, "\n"},
        // White space of any kind, line ends included, is skipped first.
        NumberReadCase{" \n\t 3\n", true, 3, "\n"},
        // Signs.
        NumberReadCase{"-17\n", true, -17, "\n"}, NumberReadCase{"+8\n", true, 8, "\n"},
        NumberReadCase{"-0\n", true, 0, "\n"},
        // A lone sign is taken and dropped; what follows it waits.
        NumberReadCase{"-\n5\n", false, 7, "\n5\n"}, NumberReadCase{"+x\n", false, 7, "x\n"},
        NumberReadCase{"--3\n", false, 7, "-3\n"},
        // Letters are not taken at all.
        NumberReadCase{"x12\n", false, 7, "x12\n"}, NumberReadCase{"\n abc\n", false, 7, "abc\n"},
        // A number followed by letters on the same line is read as the number.
        NumberReadCase{"12abc\n", true, 12, "abc\n"},
        // Digits at the end of the input still make a number.
        NumberReadCase{"123", true, 123, ""},
        // Beyond 32 bits the value is held at the limit, and every digit is still taken.
        NumberReadCase{"2147483647\n", true, 2147483647, "\n"},
        NumberReadCase{"2147483648\n", true, 2147483647, "\n"},
        NumberReadCase{"99999999999999999999999\n", true, 2147483647, "\n"},
        NumberReadCase{"-2147483648\n", true, -2147483647 - 1, "\n"},
        NumberReadCase{"-2147483649\n", true, -2147483647 - 1, "\n"},
        NumberReadCase{"-0000000000000000000005\n", true, -5, "\n"}));

TEST(ConsoleTest, NumberReadAtEndOfInputEndsTheGame) {
  for (const char* typed : {"", " ", "\n\n\t "}) {
    ScriptedConsole script(typed);
    std::int32_t field = 7;
    EXPECT_THROW(script.console().readNumber(field), EndOfInput) << '"' << typed << '"';
    EXPECT_EQ(field, 7);
  }
}

// A sign is all that came: nothing is stored, and it is the next read that ends the game.
TEST(ConsoleTest, LoneSignAtEndOfInputStoresNothingAndTheNextReadEnds) {
  for (const char* typed : {"-", "+", " \n-"}) {
    ScriptedConsole script(typed);
    std::int32_t field = 7;
    EXPECT_FALSE(script.console().readNumber(field)) << '"' << typed << '"';
    EXPECT_EQ(field, 7);
    EXPECT_THROW(script.console().readChar(), EndOfInput);
  }
}

TEST(ConsoleTest, DigitsAtEndOfInputAreStoredAndTheNextReadEnds) {
  ScriptedConsole script("\n58");
  std::int32_t field = 7;
  EXPECT_TRUE(script.console().readNumber(field));
  EXPECT_EQ(field, 58);
  EXPECT_THROW(script.console().readChar(), EndOfInput);
}

TEST(ConsoleTest, CharacterReadTakesAnyCharacterLineEndsIncluded) {
  ScriptedConsole script("\n x");
  EXPECT_EQ(script.console().readChar(), '\n');
  EXPECT_EQ(script.console().readChar(), ' ');
  EXPECT_EQ(script.console().readChar(), 'x');
  EXPECT_THROW(script.console().readChar(), EndOfInput);
}

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

TEST(ConsoleTest, PrintingIdioms) {
  ScriptedConsole script("");
  Console& console = script.console();
  console.blankBlock(13);
  console.print("text");
  console.invalidInputDisplay();
  console.frameOpening();
  console.print("       body\n");
  console.frameClosing();
  console.printf("%10d|%-3s|%%\n", -42, "ab");
  EXPECT_EQ(script.output(), std::string(13, '\n') + "text\nInvalid input.\n" +
                                 "     *****INCOMING*********************\n\n"
                                 "       body\n\n"
                                 "     **********************MESSAGE*****\n"
                                 "       -42|ab |%\n");
}

TEST(ConsoleTest, BlankBlocksOfAnyCount) {
  for (int count : {0, 1, 2, 5, 6, 11, 14, 16, 17, 40}) {
    ScriptedConsole script("");
    script.console().blankBlock(count);
    EXPECT_EQ(script.output(), std::string(static_cast<std::size_t>(count), '\n')) << count;
  }
}

}  // namespace
}  // namespace nebulance
