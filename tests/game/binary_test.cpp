// The built program as a black box: a typed script on standard input, a whole game played to
// its end on the real clock, and the ending and exit status checked; a full disk and a closed
// pipe; the command-line options.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <utility>

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

// The real clock may bring any event on any jump; the script finishes the game whatever they
// are (the fuzz corpus and the sessions play the events themselves).
TEST(BinaryTest, PlaysAWholeGameFromStandardInputAndEndsNormally) {
  const auto [output, exitStatus] =
      runShell("printf '%s' '" + scriptForAnyClock() + "' | '" NEBULANCE_BINARY "'");
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

TEST(BinaryTest, VersionPrintsOneLineAndSucceeds) {
  const auto [output, exitStatus] = runShell("'" NEBULANCE_BINARY "' --version </dev/null");
  EXPECT_EQ(output, "nebulance " NEBULANCE_VERSION "\n");
  EXPECT_EQ(exitStatus, 0);
}

TEST(BinaryTest, HelpStartsWithTheUsageAndSucceeds) {
  for (const std::string option : {"--help", "-h"}) {
    const auto [output, exitStatus] = runShell("'" NEBULANCE_BINARY "' " + option + " </dev/null");
    EXPECT_TRUE(output.starts_with("Usage: nebulance [--help | --version]\n")) << option;
    EXPECT_EQ(exitStatus, 0) << option;
  }
}

// The complaint goes to standard error alone, and the game does not start: it would otherwise
// wait for input that never comes.
TEST(BinaryTest, AnUnknownOptionIsNamedOnStandardErrorWithStatus2) {
  constexpr std::string_view kComplaint =
      "nebulance: unknown option '/?'\nTry 'nebulance --help'.\n";
  const std::string run = "timeout 10 '" NEBULANCE_BINARY "' '/?' </dev/null";
  EXPECT_EQ(runShell(run + " 2>&1 >/dev/null"), std::pair(std::string(kComplaint), 2));
  EXPECT_EQ(runShell(run + " 2>/dev/null"), std::pair(std::string(), 2));
}

}  // namespace
}  // namespace nebulance
