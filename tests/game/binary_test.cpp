// The built program as a black box: a typed script on standard input, a whole game played to
// its end on the real clock, and the ending and exit status checked; a full disk and a closed
// pipe.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "support/session.h"

namespace nebulance {
namespace {

constexpr std::string_view kEnding = "Thank you for playing!\n\n";

// A script that finishes a game whatever the real clock draws. After the start it repeats
// "T4": the dashboard's two reads meet "\nT" within three passes, the map reads 4 (Dagobah)
// within two entries, every pause takes any two characters, and a robbery rumour meets the
// choice 4, which needs no item and starts no duel. The letter E, the digits 1 to 3 and S or B
// never appear, so the game is neither left nor sent to a shop or a bank.
std::string scriptForAnyClock() {
  std::string script = "1\na\na\na\n";
  for (int i = 0; i < 400; ++i) script += "T4\n";
  return script;
}

// What a shell command prints on its standard output, and its exit status.
std::pair<std::string, int> runShell(const std::string& command) {
  FILE* shell = popen(command.c_str(), "r");
  std::string output;
  for (int c = 0; (c = std::fgetc(shell)) != EOF;) output += static_cast<char>(c);
  const int status = pclose(shell);
  return {output, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// The program's output and exit status with `input` (no single quotes in it) piped in.
std::pair<std::string, int> runProgram(const std::string& input) {
  return runShell("printf '%s' '" + input + "' | '" NEBULANCE_BINARY "'");
}

// The real clock may bring any event on any jump; the script must finish the game whatever
// they are. Played in-process with clocks that tick to a different second at every reseed.
TEST(BinaryTest, TheScriptFinishesTheGameForAnyClock) {
  std::uint32_t seconds = 1700000000;
  for (int game = 0; game < 100; ++game) {
    std::vector<std::int64_t> readings(100);
    for (auto& reading : readings) reading = seconds = seconds * 1103515245u + 12345u;
    const std::string output =
        testing::playSession(scriptForAnyClock(), testing::scriptedClock(readings));
    ASSERT_TRUE(output.ends_with(kEnding)) << "game " << game;
    ASSERT_NE(output.find("       Your final score: "), std::string::npos) << "game " << game;
  }
}

TEST(BinaryTest, PlaysAWholeGameFromStandardInputAndEndsNormally) {
  const auto [output, exitStatus] = runProgram(scriptForAnyClock());
  EXPECT_EQ(exitStatus, 0);
  EXPECT_TRUE(output.ends_with(kEnding));
}

// A full disk: the game stops at the failed write, says why on standard error alone, and fails.
// With input that never ends it must stop reading too, or it would run for ever.
TEST(BinaryTest, AFailedWriteStopsTheGameWithStatus1) {
  constexpr std::string_view kWriteError = "nebulance: write error: No space left on device\n";
  for (const std::string input : {R"(printf '1\nx\nx\nx\n3\nx\nE\n1\n')", "yes x"}) {
    EXPECT_EQ(runShell(input + " | timeout 10 '" NEBULANCE_BINARY "' 2>&1 >/dev/full"),
              std::pair(std::string(kWriteError), 1))
        << input;
  }
}

// A reader that has gone ends the game as it ends cat: by the pipe signal, not a message.
TEST(BinaryTest, AClosedPipeEndsTheGameByItsSignal) {
  EXPECT_EQ(runShell("bash -c 'yes x | timeout 10 \"" NEBULANCE_BINARY
                     "\" 2>&1 | head -c 1 >/dev/null; echo ${PIPESTATUS[1]}'"),
            std::pair(std::string("141\n"), 0));
}

}  // namespace
}  // namespace nebulance
