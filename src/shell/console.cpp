#include "shell/console.h"

#include <cerrno>

#include "shell/saturating.h"

namespace nebulance {

namespace {

constexpr std::string_view kIncomingLine = "     *****INCOMING*********************\n";
constexpr std::string_view kMessageLine = "     **********************MESSAGE*****\n";

bool isWhiteSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(int c) {
  return c >= '0' && c <= '9';
}

}  // namespace

void Console::blankBlock(int count) {
  if (count <= 0) return;
  pending_.append(static_cast<std::size_t>(count), '\n');
  flushWhenFull();
}

void Console::flush() {
  if (pending_.empty() || writeError_) {
    pending_.clear();
    return;
  }
  errno = 0;
  out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
  out_.flush();
  pending_.clear();
  if (out_) return;
  // The stream keeps no reason of its own; the system's is in errno right after the write.
  writeError_ = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
  inputEnded_ = true;
}

bool Console::readyToRead() {
  if (!inputEnded_ && in_.rdbuf()->in_avail() <= 0) flush();
  return !inputEnded_;
}

int Console::nextCharacter() {
  if (!readyToRead()) throw EndOfInput{};
  const int c = in_.rdbuf()->sbumpc();
  if (c == std::char_traits<char>::eof()) {
    inputEnded_ = true;
    throw EndOfInput{};
  }
  return c;
}

char Console::readChar() {
  return static_cast<char>(nextCharacter());
}

int Console::peekCharacter() {
  if (!readyToRead()) return std::char_traits<char>::eof();
  const int c = in_.rdbuf()->sgetc();
  // A terminal reports end of input once; asking again would wait for another line.
  if (c == std::char_traits<char>::eof()) inputEnded_ = true;
  return c;
}

bool Console::readNumber(std::int32_t& field) {
  std::streambuf& input = *in_.rdbuf();
  int c = peekCharacter();
  for (; isWhiteSpace(c); c = peekCharacter()) input.sbumpc();
  if (c == std::char_traits<char>::eof()) throw EndOfInput{};

  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    input.sbumpc();
    c = peekCharacter();  // at end of input the sign is taken and the next read ends the game
  }
  if (!isDigit(c)) return false;

  // Digits beyond the range are still taken; they only keep the value at its limit.
  std::int64_t magnitude = 0;
  constexpr std::int64_t kCeiling = std::int64_t{kInt32Max} + 1;
  for (; isDigit(c); c = peekCharacter()) {
    if (magnitude <= kCeiling) magnitude = magnitude * 10 + (c - '0');
    input.sbumpc();
  }
  field = clampToInt32(negative ? -magnitude : magnitude);
  return true;
}

void Console::skipChars(int count) {
  for (int skipped = 0; skipped < count; ++skipped) nextCharacter();
}

void Console::numberEntry(std::int32_t& field) {
  skipChar();
  readNumber(field);
}

char Console::letterEntry() {
  skipChar();
  return readChar();
}

void checkedNumberEntry(Console& console, std::int32_t& number, const EntryCheck& check) {
  console.numberEntry(number);
  for (EntryRefusal refusal = check(number); !refusal.message.empty(); refusal = check(number)) {
    console.print(refusal.message);
    console.print(refusal.reprompt);
    console.numberEntry(number);
  }
}

void Console::invalidInputDisplay() {
  print("\nInvalid input.\n");
}

void Console::frameOpening() {
  print(kIncomingLine);
  lineBreak();
}

void Console::frameClosing() {
  lineBreak();
  print(kMessageLine);
}

}  // namespace nebulance
