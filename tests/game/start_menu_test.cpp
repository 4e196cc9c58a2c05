// End of input at the start menu; the menu's whole sessions are in tests/data/sessions.
#include <gtest/gtest.h>

#include <string>

#include "support/session.h"

namespace nebulance {
namespace {

using testing::playSession;

// No market or event is drawn before a game starts, so any clock does.
constexpr std::int64_t kClock = 1700000000;

// The banner and the menu up to its prompt, as the first session shows them.
std::string firstMenuScreen() {
  const std::string shown = testing::loadScriptedSession("shell-three-letters").expectedOutput;
  const std::string prompt = "   Select option number: ";
  return shown.substr(0, shown.find(prompt) + prompt.size());
}

TEST(StartMenuEndOfInputTest, EndsQuietlyWithWhatWasShown) {
  EXPECT_EQ(playSession("", kClock), firstMenuScreen());
  EXPECT_EQ(playSession("\n\n  ", kClock), firstMenuScreen());
  // A lone sign stores nothing: the choice keeps its start value 0, which is refused, and the
  // next pass's read ends the run.
  EXPECT_EQ(playSession("-", kClock),
            firstMenuScreen() + "\nInvalid input.\n\n\n\n\n\n" + firstMenuScreen());
  EXPECT_EQ(playSession("3\n", kClock), firstMenuScreen() +
                                            "\n       Are you sure you wish to leave?\n"
                                            "                 1 = Yes\n"
                                            "                 2 = No\n"
                                            "       Select option number:");
}

}  // namespace
}  // namespace nebulance
