// The command line as the player types it: what each argument list asks for, and what the
// answers print and return.
#include "program/options.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace nebulance::program {
namespace {

struct Parse {
  std::vector<std::string_view> arguments;
  Platform platform;
  Request request;
  std::string unknownArgument;
};

TEST(OptionsTest, ParsesEachArgumentListIntoOneRequest) {
  const std::vector<Parse> parses = {
      {{}, Platform::posix, Request::play, ""},
      {{}, Platform::windows, Request::play, ""},
      {{"--version"}, Platform::posix, Request::version, ""},
      {{"--help"}, Platform::posix, Request::help, ""},
      {{"-h"}, Platform::posix, Request::help, ""},
      {{"-h"}, Platform::windows, Request::help, ""},
      {{"/?"}, Platform::windows, Request::help, ""},
      // Windows' way of asking for help is a path on Linux, and no option.
      {{"/?"}, Platform::posix, Request::unknownOption, "/?"},
      // Options are spelt exactly: no other case, no abbreviation, no value.
      {{"--HELP"}, Platform::posix, Request::unknownOption, "--HELP"},
      {{"--vers"}, Platform::posix, Request::unknownOption, "--vers"},
      {{"--version=1"}, Platform::posix, Request::unknownOption, "--version=1"},
      {{"-v"}, Platform::windows, Request::unknownOption, "-v"},
      {{""}, Platform::posix, Request::unknownOption, ""},
      // One option at a time: the first argument not understood is the one named.
      {{"--version", "--help"}, Platform::posix, Request::unknownOption, "--help"},
      {{"--help", "extra"}, Platform::windows, Request::unknownOption, "extra"},
      {{"play", "--help"}, Platform::posix, Request::unknownOption, "play"},
  };
  for (const Parse& parse : parses) {
    const Invocation invocation = parseArguments(parse.arguments, parse.platform);
    const std::string shown = parse.arguments.empty() ? "(none)" : std::string(parse.arguments[0]);
    EXPECT_EQ(invocation.request, parse.request) << shown;
    EXPECT_EQ(invocation.unknownArgument, parse.unknownArgument) << shown;
  }
}

TEST(OptionsTest, AnUnknownOptionIsNamedOnStandardErrorWithStatus2) {
  const Answer unknown = answerRequest(
      {.request = Request::unknownOption, .unknownArgument = "--fast"}, Platform::posix);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.errors, "nebulance: unknown option '--fast'\nTry 'nebulance --help'.\n");
  EXPECT_EQ(unknown.status, 2);
}

// Each help tells the player of its own platform how to end the input and where the manual is,
// and fits a small terminal.
TEST(OptionsTest, EachPlatformsHelpNamesItsOwnKeysAndManual) {
  const Answer posix =
      answerRequest({.request = Request::help, .unknownArgument = {}}, Platform::posix);
  const Answer windows =
      answerRequest({.request = Request::help, .unknownArgument = {}}, Platform::windows);
  EXPECT_NE(posix.out.find("Ctrl-D"), std::string::npos);
  EXPECT_NE(posix.out.find("man 6 nebulance"), std::string::npos);
  EXPECT_EQ(posix.out.find("/?"), std::string::npos);
  EXPECT_NE(windows.out.find("Ctrl-Z then Enter"), std::string::npos);
  EXPECT_NE(windows.out.find("README.txt"), std::string::npos);
  EXPECT_NE(windows.out.find("/?"), std::string::npos);
  for (const Answer& help : {posix, windows}) {
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.errors, "");
    std::istringstream lines(help.out);
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
      EXPECT_LE(line.size(), 80U) << line;
    }
    EXPECT_LE(count, 16);
  }
}

}  // namespace
}  // namespace nebulance::program
