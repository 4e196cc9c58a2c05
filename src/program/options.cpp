#include "program/options.h"

namespace nebulance::program {

namespace {

bool asksForHelp(std::string_view argument, Platform platform) {
  return argument == "--help" || argument == "-h" ||
         (platform == Platform::windows && argument == "/?");
}

Request requestOf(std::string_view argument, Platform platform) {
  if (argument == "--version") return Request::version;
  if (asksForHelp(argument, platform)) return Request::help;
  return Request::unknownOption;
}

constexpr std::string_view kVersion = "nebulance " NEBULANCE_VERSION "\n";

// Both fit an 80-column terminal; a player who runs the program to learn what it is reads the
// first lines, the options last.
std::string_view helpText(Platform platform) {
  if (platform == Platform::windows) {
    return R"(Usage: nebulance [--help | /? | --version]
Nebulance: ORVANE CONCORDAT, a single-player trading game for the text console.
Trade goods between seven planets and become as rich as you can in thirty days.

Answer each question by typing a number or a letter and pressing Enter; letters
work in either case. Leave with option 3 of the start menu, or at any question
by ending the input: Ctrl-Z then Enter.

Options:
  -h, --help, /?  print this help and exit
  --version       print the version and exit

README.txt beside nebulance.exe describes the game in full.
)";
  }
  return R"(Usage: nebulance [--help | --version]
Nebulance: ORVANE CONCORDAT, a single-player trading game for the text console.
Trade goods between seven planets and become as rich as you can in thirty days.

Answer each question by typing a number or a letter and pressing Enter; letters
work in either case. Leave with option 3 of the start menu, or at any question
by ending the input: Ctrl-D on an empty line.

Options:
  -h, --help  print this help and exit
  --version   print the version and exit

The manual: man 6 nebulance, or man ./nebulance.6 beside the program in the
downloaded folder.
)";
}

std::string unknownOptionComplaint(std::string_view argument) {
  return "nebulance: unknown option '" + std::string(argument) + "'\nTry 'nebulance --help'.\n";
}

}  // namespace

Invocation parseArguments(const std::vector<std::string_view>& arguments, Platform platform) {
  if (arguments.empty()) return {};
  const Request request = requestOf(arguments.front(), platform);
  if (request == Request::unknownOption) {
    return {.request = request, .unknownArgument = std::string(arguments.front())};
  }
  if (arguments.size() > 1) {
    return {.request = Request::unknownOption, .unknownArgument = std::string(arguments[1])};
  }
  return {.request = request, .unknownArgument = {}};
}

Answer answerRequest(const Invocation& invocation, Platform platform) {
  switch (invocation.request) {
    case Request::version:
      return {.out = std::string(kVersion), .errors = {}, .status = 0};
    case Request::help:
      return {.out = std::string(helpText(platform)), .errors = {}, .status = 0};
    case Request::unknownOption:
      return {.out = {}, .errors = unknownOptionComplaint(invocation.unknownArgument), .status = 2};
    case Request::play:
      break;
  }
  return {};
}

}  // namespace nebulance::program
