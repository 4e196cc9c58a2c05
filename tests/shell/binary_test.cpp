// The built program as a black box: a typed script on standard input, a whole game played to
// its end on the real clock, and the last line and exit status checked.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "support/session.h"

namespace nebulance {
namespace {

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

// Runs the program with `input` on its standard input; returns its output and exit status.
struct ProgramRun {
  std::string output;
  int exitStatus = -1;
};

ProgramRun runProgram(const std::string& input) {
  char path[] = "/tmp/nebulance_input_XXXXXX";
  const int descriptor = mkstemp(path);
  if (descriptor < 0) return {};
  std::ofstream(path, std::ios::binary) << input;
  const std::string command = std::string("'") + NEBULANCE_BINARY + "' < " + path;
  ProgramRun run;
  if (FILE* program = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, program)) > 0;) {
      run.output.append(buffer, count);
    }
    const int status = pclose(program);
    if (WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
  }
  close(descriptor);
  std::remove(path);
  return run;
}

std::string lastLine(const std::string& output) {
  const std::size_t end = output.find_last_not_of('\n');
  if (end == std::string::npos) return "";
  const std::size_t start = output.rfind('\n', end);
  return output.substr(start == std::string::npos ? 0 : start + 1, end - start);
}

// The real clock may bring any event on any jump; the script must finish the game whatever
// they are. Played in-process with clocks that tick to a different second at every reseed.
TEST(BinaryTest, TheScriptFinishesTheGameForAnyClock) {
  std::uint32_t seconds = 1700000000;
  for (int game = 0; game < 200; ++game) {
    std::vector<std::int64_t> readings;
    for (int reseed = 0; reseed < 100; ++reseed) {
      seconds = seconds * 1103515245u + 12345u;
      readings.push_back(seconds);
    }
    const std::string output =
        testing::playSession(scriptForAnyClock(), testing::scriptedClock(readings));
    ASSERT_EQ(lastLine(output), "Thank you for playing!") << "game " << game;
    ASSERT_NE(output.find("       Your final score: "), std::string::npos) << "game " << game;
  }
}

TEST(BinaryTest, PlaysAWholeGameFromStandardInputAndEndsNormally) {
  const ProgramRun run = runProgram(scriptForAnyClock());
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(lastLine(run.output), "Thank you for playing!");
  EXPECT_NE(run.output.find("       Your final score: "), std::string::npos);
  EXPECT_EQ(run.output.substr(run.output.size() - 2), "\n\n");
}

TEST(BinaryTest, EndOfInputEndsTheProgramQuietly) {
  const ProgramRun run = runProgram("1\na\n");
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(lastLine(run.output), "       the navigational computer.");
}

}  // namespace
}  // namespace nebulance
