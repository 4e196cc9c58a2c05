#include "shell/console.h"

#include <algorithm>
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

// The native game's terminal: input taken straight from the stream buffer, as much as it holds,
// so that a read waits only when the buffer is empty, and output written and flushed at once.
class StreamTerminal final : public Terminal {
 public:
  StreamTerminal(std::istream& in, std::ostream& out) : in_(in), out_(out) {}

  std::streamsize available() override { return in_.rdbuf()->in_avail(); }
  std::size_t read(char* buffer, std::size_t room) override {
    std::streambuf& input = *in_.rdbuf();
    // A buffer that cannot tell what it holds (C's stdin, unbuffered) gives one character.
    if (input.sgetc() == std::char_traits<char>::eof()) return 0;
    const std::streamsize held = std::max<std::streamsize>(input.in_avail(), 1);
    return static_cast<std::size_t>(
        input.sgetn(buffer, std::min(held, static_cast<std::streamsize>(room))));
  }
  std::error_code write(std::string_view text) override {
    errno = 0;
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    out_.flush();
    if (out_) return {};
    // The stream keeps no reason of its own; the system's is in errno right after the write.
    return {errno != 0 ? errno : EIO, std::generic_category()};
  }

 private:
  std::istream& in_;
  std::ostream& out_;
};

}  // namespace

Console::Console(std::istream& in, std::ostream& out)
    : streams_(std::make_unique<StreamTerminal>(in, out)), terminal_(*streams_) {
  pending_.reserve(kPendingLimit + kPendingSlack);
}

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
  writeError_ = terminal_.write(pending_);
  pending_.clear();
  if (writeError_) inputEnded_ = true;
}

bool Console::typedAtHand() {
  if (typedNext_ < typedEnd_) return true;
  if (!inputEnded_ && terminal_.available() <= 0) flush();
  if (inputEnded_) return false;
  typedNext_ = 0;
  typedEnd_ = terminal_.read(typed_.data(), typed_.size());
  // A terminal reports end of input once; asking again would wait for another line.
  if (typedEnd_ == 0) inputEnded_ = true;
  return !inputEnded_;
}

int Console::nextCharacter() {
  if (!typedAtHand()) throw EndOfInput{};
  return static_cast<unsigned char>(typed_[typedNext_++]);
}

char Console::readChar() {
  return static_cast<char>(nextCharacter());
}

int Console::peekCharacter() {
  if (!typedAtHand()) return std::char_traits<char>::eof();
  return static_cast<unsigned char>(typed_[typedNext_]);
}

bool Console::readNumber(std::int32_t& field) {
  int c = peekCharacter();
  for (; isWhiteSpace(c); c = peekCharacter()) ++typedNext_;
  if (c == std::char_traits<char>::eof()) throw EndOfInput{};

  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    ++typedNext_;
    c = peekCharacter();  // at end of input the sign is taken and the next read ends the game
  }
  if (!isDigit(c)) return false;

  // Digits beyond the range are still taken; they only keep the value at its limit.
  std::int64_t magnitude = 0;
  constexpr std::int64_t kCeiling = std::int64_t{kInt32Max} + 1;
  for (; isDigit(c); c = peekCharacter()) {
    if (magnitude <= kCeiling) magnitude = magnitude * 10 + (c - '0');
    ++typedNext_;
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
