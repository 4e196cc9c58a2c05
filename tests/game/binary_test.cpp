// The built program as a black box: a typed script on standard input, a whole game played to
// its end on the real clock, and the ending and exit status checked.
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

// The program's output and exit status with `input` (no single quotes in it) piped in.
std::pair<std::string, int> runProgram(const std::string& input) {
  FILE* program = popen(("printf '%s' '" + input + "' | '" NEBULANCE_BINARY "'").c_str(), "r");
  std::string output;
  for (int c = 0; (c = std::fgetc(program)) != EOF;) output += static_cast<char>(c);
  const int status = pclose(program);
  return {output, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
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

TEST(BinaryTest, EndOfInputEndsTheProgramQuietly) {
  const auto [output, exitStatus] = runProgram("1\na\n");
  EXPECT_EQ(exitStatus, 0);
  EXPECT_TRUE(output.ends_with("       the navigational computer.\n")) << output;
}

}  // namespace
}  // namespace nebulance
