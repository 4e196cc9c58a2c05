// Plays the built game on a pseudo-terminal, as a player would: each line is typed only after
// the question it answers has reached the screen. A question still held in an output buffer
// while the game waits for its answer would never appear, and the test would time out.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace {

using std::chrono::milliseconds;
using Deadline = std::chrono::steady_clock::time_point;

constexpr milliseconds kPromptTimeout{5000};
constexpr char kEndOfFileKey = '\x04';  // Ctrl-D, the terminal's VEOF character by default

constexpr std::string_view kStartMenuPrompt = "   Select option number: ";
constexpr std::string_view kFirstIntroPrompt = "       Enter any input to proceed.\n";
constexpr std::string_view kSecondIntroPrompt = "       the navigational computer.\n";
constexpr std::string_view kGrantPrompt = "       Enter any input to continue.\n";
constexpr std::string_view kMapPrompt = "              Designate coordinates: ";
constexpr std::string_view kEventPrompt = "       Enter any input to proceed.\n";
constexpr std::string_view kRumourPrompt = "       What will you do? (1/2/3/4): ";
constexpr std::string_view kStoryPause = "       Enter any input to continue.";
constexpr std::string_view kDashboardPrompt = "Enter Choice (S)hop, (B)ank, (T)ravel, (E)xit: ";
constexpr std::string_view kShopPrompt = "Enter Choice (B/S/E): ";
constexpr std::string_view kLeavePrompt = "                        Enter choice: ";
constexpr std::string_view kFarewell = "Thank you for playing!\n";

// The game running on the slave side of a pseudo-terminal; this side holds the master.
class TerminalGame {
 public:
  TerminalGame() {
    struct winsize size {};
    size.ws_row = 50;
    size.ws_col = 120;
    child_ = forkpty(&master_, nullptr, nullptr, &size);
    if (child_ == 0) {
      execl(NEBULANCE_BINARY, NEBULANCE_BINARY, static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  TerminalGame(const TerminalGame&) = delete;
  TerminalGame& operator=(const TerminalGame&) = delete;
  ~TerminalGame() {
    if (child_ > 0 && !exited_) {
      kill(child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
  }

  bool started() const { return child_ > 0 && master_ >= 0; }

  // Reads the screen until one of `prompts` has appeared since the last typed line. Returns
  // its index, or -1 when none appears in time or the game closes the terminal first.
  int waitForAny(std::initializer_list<std::string_view> prompts) {
    const Deadline deadline = std::chrono::steady_clock::now() + kPromptTimeout;
    for (;;) {
      const std::string_view fresh = std::string_view(screen_).substr(typedAt_);
      int index = 0;
      for (std::string_view prompt : prompts) {
        if (fresh.find(prompt) != std::string_view::npos) return index;
        ++index;
      }
      if (!readScreen(deadline)) return -1;
    }
  }
  bool waitFor(std::string_view prompt) { return waitForAny({prompt}) == 0; }

  void type(std::string_view keys) {
    typedAt_ = screen_.size();
    for (std::size_t written = 0; written < keys.size();) {
      const ssize_t count = write(master_, keys.data() + written, keys.size() - written);
      if (count < 0 && errno != EINTR) return;
      if (count > 0) written += static_cast<std::size_t>(count);
    }
  }

  // Reads until the game closes the terminal, then returns its exit status, or -1 if it did
  // not end normally in time.
  int exitStatus() {
    const Deadline deadline = std::chrono::steady_clock::now() + kPromptTimeout;
    while (readScreen(deadline)) {
    }
    int status = 0;
    while (waitpid(child_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) return -1;
      poll(nullptr, 0, 10);
    }
    exited_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // Everything shown since the last typed line, with the terminal's carriage returns removed.
  std::string_view screenSinceTyping() const { return std::string_view(screen_).substr(typedAt_); }

 private:
  // Appends what the game has written so far; false at the deadline or when the game has
  // closed its side of the terminal.
  bool readScreen(Deadline deadline) {
    const auto left =
        std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd descriptor{master_, POLLIN, 0};
    if (poll(&descriptor, 1, static_cast<int>(left.count())) <= 0) return false;
    std::array<char, 4096> buffer;
    const ssize_t count = read(master_, buffer.data(), buffer.size());
    if (count <= 0) return false;  // EIO once the game has exited
    for (const char c : std::span(buffer.data(), static_cast<std::size_t>(count))) {
      if (c != '\r') screen_.push_back(c);
    }
    return true;
  }

  int master_ = -1;
  pid_t child_ = -1;
  bool exited_ = false;
  std::string screen_;
  std::size_t typedAt_ = 0;
};

// Answers the question on screen with `line` once it is there.
::testing::AssertionResult answered(TerminalGame& game, std::string_view prompt,
                                    std::string_view line) {
  if (!game.waitFor(prompt)) {
    return ::testing::AssertionFailure()
           << "never shown: \"" << prompt << "\"; the screen since the last answer:\n"
           << game.screenSinceTyping();
  }
  game.type(line);
  return ::testing::AssertionSuccess();
}

// From the start menu to the first dashboard: the intros, the grant, the map and the first
// travel event, whose pauses (the pirates and the old friend show two) are answered until the
// dashboard comes. The rumour of a bank robbery is answered by letting things be.
::testing::AssertionResult playedToFirstDashboard(TerminalGame& game) {
  if (!game.started()) return ::testing::AssertionFailure() << "the game did not start";
  auto result = answered(game, kStartMenuPrompt, "1\n");
  if (result) result = answered(game, kFirstIntroPrompt, "x\n");
  if (result) result = answered(game, kSecondIntroPrompt, "x\n");
  if (result) result = answered(game, kGrantPrompt, "x\n");
  if (result) result = answered(game, kMapPrompt, "2\n");
  if (!result) return result;
  constexpr int kMostEventScreens = 4;
  for (int screen = 0; screen < kMostEventScreens; ++screen) {
    switch (game.waitForAny({kDashboardPrompt, kEventPrompt, kStoryPause, kRumourPrompt})) {
      case 0:
        return ::testing::AssertionSuccess();
      case 1:
      case 2:
        game.type("x\n");
        break;
      case 3:
        game.type("4\n");
        break;
      default:
        return ::testing::AssertionFailure() << "neither a travel event nor the dashboard:\n"
                                             << game.screenSinceTyping();
    }
  }
  return ::testing::AssertionFailure() << "the travel event never ended:\n"
                                       << game.screenSinceTyping();
}

TEST(TerminalTest, EveryQuestionIsOnScreenBeforeItsAnswer) {
  TerminalGame game;
  ASSERT_TRUE(playedToFirstDashboard(game));
  // The Trading Post's menu, left at once, brings the dashboard back.
  ASSERT_TRUE(answered(game, kDashboardPrompt, "S\n"));
  ASSERT_TRUE(answered(game, kShopPrompt, "E\n"));
  ASSERT_TRUE(answered(game, kDashboardPrompt, "E\n"));
  ASSERT_TRUE(answered(game, kLeavePrompt, "1\n"));
  ASSERT_TRUE(game.waitFor(kFarewell)) << game.screenSinceTyping();
  EXPECT_EQ(game.exitStatus(), 0);
}

TEST(TerminalTest, EndOfFileInTheMiddleOfAGameEndsTheProgram) {
  TerminalGame game;
  ASSERT_TRUE(playedToFirstDashboard(game));
  ASSERT_TRUE(answered(game, kDashboardPrompt, std::string_view(&kEndOfFileKey, 1)));
  EXPECT_EQ(game.exitStatus(), 0);
  EXPECT_EQ(game.screenSinceTyping().find("Thank you for playing!"), std::string_view::npos);
}

}  // namespace
