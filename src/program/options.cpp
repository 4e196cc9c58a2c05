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

void printVersion(std::ostream& out) {
  out << "nebulance " NEBULANCE_VERSION "\n";
}

// Both fit an 80-column terminal; a player who runs the program to learn what it is reads the
// first lines, the options last.
void printHelp(std::ostream& out, Platform platform) {
  if (platform == Platform::windows) {
    out << R"(Usage: nebulance [--help | /? | --version]
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
    return;
  }
  out << R"(Usage: nebulance [--help | --version]
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

void printUnknownOption(std::ostream& errors, std::string_view argument) {
  errors << "nebulance: unknown option '" << argument << "'\n"
         << R"(Try 'nebulance --help'.)" << '\n';
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

int answerRequest(const Invocation& invocation, Platform platform, std::ostream& out,
                  std::ostream& errors) {
  switch (invocation.request) {
    case Request::version:
      printVersion(out);
      return 0;
    case Request::help:
      printHelp(out, platform);
      return 0;
    case Request::unknownOption:
      printUnknownOption(errors, invocation.unknownArgument);
      return 2;
    case Request::play:
      break;
  }
  return 0;
}

}  // namespace nebulance::program
