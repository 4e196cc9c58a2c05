// When the game holds its console window open at the end: only when the window is its own and
// would vanish with the last screen.
#include "program/console_window.h"

#include <gtest/gtest.h>

namespace nebulance::program {
namespace {

struct Case {
  const char* situation;
  ConsoleFacts facts;
  bool holds;
};

TEST(ConsoleWindowTest, HoldsOnlyAWindowThatTheGameOpenedForItself) {
  const Case cases[] = {
      {"double-clicked in Explorer", {1, true, true}, true},
      {"started from cmd or PowerShell", {2, true, true}, false},
      {"started from a shell that itself runs under another", {3, true, true}, false},
      {"no console at all (a service, a test harness)", {0, false, false}, false},
      {"own window, a script fed to its input", {1, false, true}, false},
      {"own window, output sent to a file", {1, true, false}, false},
      {"piped both ways from a shell", {2, false, false}, false},
      {"piped both ways with no console", {0, false, false}, false},
  };
  for (const Case& each : cases) {
    EXPECT_EQ(windowClosesWithProgram(each.facts), each.holds) << each.situation;
  }
}

}  // namespace
}  // namespace nebulance::program
