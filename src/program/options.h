// What the player asked for on the command line, and the answers to everything but a game.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nebulance::program {

// The platforms differ in a few words of the help and in Windows' own way of asking for it.
enum class Platform { posix, windows };

enum class Request { play, version, help, unknownOption };

struct Invocation {
  Request request = Request::play;
  // The argument that was not understood, for Request::unknownOption.
  std::string unknownArgument;
};

// Reads the arguments after the program's name. None asks for a game; one option alone asks for
// its answer; anything else, a second argument included, is an unknown option.
Invocation parseArguments(const std::vector<std::string_view>& arguments, Platform platform);

// What the program prints on standard output and standard error instead of a game, and its
// exit status.
struct Answer {
  std::string out;
  std::string errors;
  int status = 0;
};

// The answer to a request other than a game: the version or the help, or an unknown option's
// complaint.
Answer answerRequest(const Invocation& invocation, Platform platform);

}  // namespace nebulance::program
