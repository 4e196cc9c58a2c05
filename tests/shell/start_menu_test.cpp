// Whole sessions at the start menu, compared screen for screen with their transcripts.
#include <gtest/gtest.h>

#include <string>

#include "support/session.h"

namespace nebulance {
namespace {

using testing::playSession;
using testing::readTestData;
using testing::updateTestData;

// No market or event is drawn before a game starts, so any clock does.
constexpr std::int64_t kClock = 1700000000;

struct MenuSession {
  const char* name;
  const char* typed;
  const char* transcript;
};

class StartMenuSessionTest : public ::testing::TestWithParam<MenuSession> {};

TEST_P(StartMenuSessionTest, MatchesItsTranscript) {
  const MenuSession& session = GetParam();
  const std::string output = playSession(session.typed, kClock);
  if (updateTestData(session.transcript, output)) GTEST_SKIP() << "transcript written";
  EXPECT_EQ(output, readTestData(session.transcript));
}

INSTANTIATE_TEST_SUITE_P(
    Shell, StartMenuSessionTest,
    ::testing::Values(
        // The first answer needs no extra keystroke: the first pass reads no discard character.
        // After the instructions the leave question is asked and answered Yes.
        MenuSession{"InstructionsThenFarewell", "2\na\n3\n1\n",
                    "shell_instructions_then_farewell.txt"},
        // No brings the menu back after a blank block of 5; the question is asked again the
        // next time, although the first No had settled it.
        MenuSession{"LeaveNoThenYes", "3\n2\n3\n1\n", "shell_leave_no_then_yes.txt"},
        // Any other answer repeats the question silently; a letter keeps the last answer, 5.
        MenuSession{"LeaveOtherAnswers", "3\n5\nx\n0\n-2\n1\n", "shell_leave_other_answers.txt"},
        // 0, 5, -1, a number held at the 32-bit limit and a lone sign (which keeps that limit)
        // are all refused; a letter on the very first pass is used up by the next pass.
        MenuSession{"InvalidChoices", "q\n0\n5\n-1\n99999999999\n+\n3\n1\n",
                    "shell_invalid_choices.txt"},
        // Back from the instructions, x2 shows the invalid input display once, then the
        // instructions again without further typing.
        MenuSession{"LetterThenDigitAfterInstructions", "2\na\nx2\na\n3\n1\n",
                    "shell_letter_then_digit.txt"},
        // Three letters give three invalid displays, then the menu waits for new input.
        MenuSession{"ThreeLetters", "2\na\nabc\n3\n1\n", "shell_three_letters.txt"},
        // Enter alone at the pause shifts the reads by one: the next pass's discard read takes
        // the 3 and its number read the 1, so a new game starts.
        MenuSession{"EnterAloneAtThePause", "2\n\n3\n1\na\n", "shell_enter_alone_at_pause.txt"}),
    [](const ::testing::TestParamInfo<MenuSession>& info) { return info.param.name; });

// The parts of the start-up, as they appear in the first transcript.
std::string firstMenuScreen() {
  const std::string transcript = readTestData("shell_instructions_then_farewell.txt");
  const std::string prompt = "   Select option number: ";
  return transcript.substr(0, transcript.find(prompt) + prompt.size());
}

TEST(StartMenuEndOfInputTest, EndsQuietlyWithWhatWasShown) {
  EXPECT_EQ(playSession("", kClock), firstMenuScreen());
  EXPECT_EQ(playSession("\n\n  ", kClock), firstMenuScreen());
  // A choice without a line end is still acted on; the next read then ends the run.
  const std::string instructions = playSession("2", kClock);
  EXPECT_EQ(instructions,
            readTestData("shell_instructions_then_farewell.txt").substr(0, instructions.size()));
  EXPECT_NE(instructions.find("INSTRUCTIONS"), std::string::npos);
}

// A lone sign stores nothing: the choice keeps its start value 0, which is refused, and the
// next pass's read ends the run.
TEST(StartMenuEndOfInputTest, LoneSignIsRefusedThenTheRunEnds) {
  const std::string output = playSession("-", kClock);
  EXPECT_EQ(output, firstMenuScreen() + "\nInvalid input.\n\n\n\n\n\n" + firstMenuScreen());
}

TEST(StartMenuEndOfInputTest, InTheLeaveQuestion) {
  const std::string output = playSession("3\n", kClock);
  EXPECT_EQ(output, firstMenuScreen() +
                        "\n       Are you sure you wish to leave?\n"
                        "                 1 = Yes\n"
                        "                 2 = No\n"
                        "       Select option number:");
}

}  // namespace
}  // namespace nebulance
