// The console every screen talks through: an input and an output stream plus the reading and
// printing idioms of the game. No screen touches a stream directly.
//
// Reading: the character read takes exactly one character, a line end included; the number read
// skips white space and takes an optionally signed run of digits, leaving what follows unread.
// Output is buffered and only flushed when a read is about to wait for the player.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string_view>

namespace nebulance {

// Thrown by a read that can take no character because the input has ended (or failed). It
// unwinds every screen at once; the game catches it at the top and returns normally.
struct EndOfInput {};

class Console {
 public:
  Console(std::istream& in, std::ostream& out) : in_(in), out_(out) {}
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;
  ~Console() { flush(); }

  // Output.
  void print(std::string_view text) {
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  }
  void printf(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void lineBreak() { out_.put('\n'); }
  // N line breaks, one after another.
  void blankBlock(int count);
  void flush() { out_.flush(); }

  // Input.
  // Returns the next character. Throws EndOfInput at end of input.
  char readChar();
  // Stores an optionally signed decimal number in `field` and returns true. When no digit
  // follows the white space (a lone sign is taken and dropped), stores nothing, leaves the
  // rest waiting and returns false. A number beyond the 32-bit range is held at the limit.
  // Throws EndOfInput when the input ends before anything but white space is found.
  bool readNumber(std::int32_t& field);

  // Idioms built on the reads; `inputChar` receives every discarded character.
  // A character read that eats the line end of the previous entry, then a number read.
  void numberEntry(char& inputChar, std::int32_t& field);
  // A character read that eats the previous line end, then the letter itself.
  void letterEntry(char& inputChar, char& letter);
  // After an "Enter any input" prompt: one read for the old line end, one for the key pressed.
  void pause(char& inputChar);
  // "Invalid input." on a line of its own.
  void invalidInputDisplay();
  // The INCOMING/MESSAGE frame around an event's body: the opening prints the INCOMING line and
  // a blank line, the closing a blank line and the MESSAGE line.
  void frameOpening();
  void frameClosing();

 private:
  // Flushes the pending output when the next read would wait for the player.
  void flushBeforeWaiting();
  // Takes the next character; throws EndOfInput at end of input.
  int nextCharacter();
  // Looks at the next character without taking it; end of input is returned, not thrown.
  int peekCharacter();

  std::istream& in_;
  std::ostream& out_;
  // Set once a read has met end of input; every later read reports it without reading again.
  bool inputEnded_ = false;
};

}  // namespace nebulance
