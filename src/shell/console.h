// The console every screen talks through: the player's terminal plus the reading and printing
// idioms of the game. No screen touches the terminal directly.
//
// Reading: the character read takes exactly one character, a line end included; the number read
// skips white space and takes an optionally signed run of digits, leaving what follows unread.
// Output gathers in the console's own buffer and goes to the terminal in one write when a read
// is about to wait for the player, when the buffer is full, and at the end.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <system_error>

#include "shell/format.h"

namespace nebulance {

// Thrown by a read that can take no character because the input has ended (or failed), or
// because the output can no longer be written: a player who cannot see the questions cannot
// answer them. It unwinds every screen at once; the game catches it at the top.
struct EndOfInput {};

// The two ends the console talks to. The native game's are C++ streams (Console's second
// constructor); the browser's game has its own, since a C++ stream brings the library's whole
// locale machinery into the download.
// The console takes the typed characters a run at a time, so that a read costs one call to the
// terminal per run, not per character.
class Terminal {
 public:
  virtual ~Terminal() = default;
  // How many characters can be taken without waiting; 0 or less when a read would wait for the
  // player (or find the input's end).
  virtual std::streamsize available() = 0;
  // Takes up to `room` (at least 1) typed characters into `buffer`, waiting for the player when
  // none can be taken without; returns how many, 0 at end of input.
  virtual std::size_t read(char* buffer, std::size_t room) = 0;
  // Writes all of `text`; returns the reason it could not, or no error.
  virtual std::error_code write(std::string_view text) = 0;
};

class Console {
 public:
  explicit Console(Terminal& terminal) : terminal_(terminal) {
    pending_.reserve(kPendingLimit + kPendingSlack);
  }
  // A console on `in`'s stream buffer and `out`.
  Console(std::istream& in, std::ostream& out);
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;
  ~Console() { flush(); }

  // Output.
  void print(std::string_view text) {
    pending_.append(text);
    flushWhenFull();
  }
  // Prints `format` with its fields filled by `values`, in order (shell/format.h). A template
  // whose conversions do not ask for exactly these values does not compile.
  template <typename... Values>
  void format(const FormatString<fieldTypeOf<Values>()...>& format, const Values&... values) {
    const std::array<FieldValue, sizeof...(Values)> fields = {FieldValue(values)...};
    appendFormatted(pending_, format.layout(), fields);
    flushWhenFull();
  }
  void lineBreak() { print("\n"); }
  // N line breaks, one after another.
  void blankBlock(int count);
  // Hands everything printed so far to the terminal in one write. A write that fails is
  // kept in writeError(); from then on nothing more is written or read.
  void flush();
  // The failed write's reason, or no error while every write has succeeded.
  std::error_code writeError() const { return writeError_; }

  // Input.
  // Returns the next character. Throws EndOfInput at end of input.
  char readChar();
  // Stores an optionally signed decimal number in `field` and returns true. When no digit
  // follows the white space (a lone sign is taken and dropped), stores nothing, leaves the
  // rest waiting and returns false. A number beyond the 32-bit range is held at the limit.
  // Throws EndOfInput when the input ends before anything but white space is found.
  bool readNumber(std::int32_t& field);

  // Reads `count` characters and drops them. Throws EndOfInput at end of input. A pause after
  // an "Enter any input" prompt is skipChars(2): the line end left by the previous entry, then
  // the key pressed, whose own line end waits for the next entry.
  void skipChars(int count);
  // Reads one character and drops it: the line end left by the previous entry.
  void skipChar() { skipChars(1); }

  // Idioms built on the reads.
  // A character read that eats the line end of the previous entry, then a number read.
  void numberEntry(std::int32_t& field);
  // A character read that eats the previous line end, then the letter itself, returned.
  char letterEntry();
  // "Invalid input." on a line of its own.
  void invalidInputDisplay();
  // The INCOMING/MESSAGE frame around an event's body: the opening prints the INCOMING line and
  // a blank line, the closing a blank line and the MESSAGE line.
  void frameOpening();
  void frameClosing();

 private:
  void flushWhenFull() {
    if (pending_.size() >= kPendingLimit) flush();
  }
  // Makes sure a typed character is at hand, taking the next run from the terminal once every
  // character taken before has been read; the pending output is flushed first when that would
  // wait for the player. Returns false once nothing more may be read: the input has ended or the
  // output is gone.
  bool typedAtHand();
  // Takes the next character; throws EndOfInput at end of input.
  int nextCharacter();
  // Looks at the next character without taking it; end of input is returned, not thrown.
  int peekCharacter();

  // Piped input may never run dry, so the game may never wait and never flush; the limit keeps
  // memory small then.
  static constexpr std::size_t kPendingLimit = std::size_t{64} * 1024;
  // Room past the limit for the screen that crosses it, so the buffer is allocated once.
  static constexpr std::size_t kPendingSlack = std::size_t{16} * 1024;

  // The streams' terminal, when the console was made on streams.
  std::unique_ptr<Terminal> streams_;
  Terminal& terminal_;
  // What has been printed since the last write to the terminal.
  std::string pending_;
  // The run of typed characters taken from the terminal, and the next one to read.
  std::array<char, 4096> typed_{};
  std::size_t typedNext_ = 0;
  std::size_t typedEnd_ = 0;
  // Set once a read has met end of input, or a write has failed; every later read reports end
  // of input without reading again, as a terminal reports it only once.
  bool inputEnded_ = false;
  std::error_code writeError_;
};

// What a check says of a number entered: the message of the first limit the number breaks and
// the question asked again, or nothing at all when it passes.
struct EntryRefusal {
  std::string_view message;
  std::string_view reprompt;
};
using EntryCheck = std::function<EntryRefusal(std::int32_t number)>;

// The check-and-ask-again of the bank's amounts and the shop's quantities: makes a number entry
// into `number`, then, while `check` refuses it, prints the refusal and its question and enters
// again. An entry that is not a number keeps `number` as it was.
void checkedNumberEntry(Console& console, std::int32_t& number, const EntryCheck& check);

}  // namespace nebulance
