// What the player asked for on the command line, and the answers to everything but a game.
#pragma once

#include <ostream>
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

// Prints the answer to a request other than a game: the version or the help on `out`, an
// unknown option's complaint on `errors`. Returns the program's exit status.
int answerRequest(const Invocation& invocation, Platform platform, std::ostream& out,
                  std::ostream& errors);

}  // namespace nebulance::program
