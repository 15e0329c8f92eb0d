// The terminal backend on a pseudo-terminal: what bytes it sends, and when.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "machine/cp866.h"
#include "panel/keys.h"
#include "panel/terminal.h"

namespace telun {
namespace {

// A pseudo-terminal of 80x25 whose far end the test reads.
class Pty {
 public:
  Pty() {
    winsize ws{};
    ws.ws_row = SCREEN_ROWS;
    ws.ws_col = SCREEN_COLUMNS;
    int slave = -1;
    if (::openpty(&master_, &slave, nullptr, nullptr, &ws) != 0) throw std::runtime_error("openpty failed");
    in_ = ::fdopen(slave, "r");
    out_ = ::fdopen(::dup(slave), "w");
  }
  ~Pty() {
    std::fclose(in_);
    std::fclose(out_);
    ::close(master_);
  }
  std::FILE* in() const { return in_; }
  std::FILE* out() const { return out_; }
  int master() const { return master_; }

  // Everything the terminal was sent since the last call.
  std::string take() {
    std::string got;
    char buf[4096];
    pollfd p{master_, POLLIN, 0};
    while (::poll(&p, 1, 50) > 0) {
      const ssize_t n = ::read(master_, buf, sizeof buf);
      if (n <= 0) break;
      got.append(buf, static_cast<std::size_t>(n));
    }
    return got;
  }

 private:
  int master_ = -1;
  std::FILE* in_ = nullptr;
  std::FILE* out_ = nullptr;
};

// Puts a byte into the terminal's input, as if typed.
void type(int master, std::string_view bytes) {
  ASSERT_EQ(::write(master, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

// A console on a fresh pseudo-terminal whose first full screen is already sent.
struct OnPty : ::testing::Test {
  Pty pty;
  std::unique_ptr<TerminalConsole> console;
  int master() const { return pty.master(); }
  void open(const char* term = "xterm-256color") {
    console = std::make_unique<TerminalConsole>(pty.in(), pty.out(), term);
    console->flush();
    pty.take();
  }
};

TEST_F(OnPty, UnchangedScreenSendsNothing) {
  open();
  const auto frames = console->frames_sent();
  console->flush();
  EXPECT_EQ(pty.take(), "");
  EXPECT_EQ(console->frames_sent(), frames);
}

TEST_F(OnPty, OnlyChangedCellsAreSent) {
  open();
  for (int row = 1; row <= SCREEN_ROWS; ++row) {
    console->go_to(1, row);
    for (int col = 1; col <= SCREEN_COLUMNS; ++col) console->write_char('x');
  }
  console->flush();
  EXPECT_GE(pty.take().size(), static_cast<std::size_t>(SCREEN_COLUMNS * SCREEN_ROWS));

  console->go_to(40, 12);
  console->write(cp866_string("Ж"));
  console->go_to(40, 12);
  console->flush();
  const std::string sent = pty.take();
  EXPECT_NE(sent.find("Ж"), std::string::npos) << sent;
  EXPECT_EQ(sent.find('x'), std::string::npos) << sent;
  EXPECT_LT(sent.size(), 64u) << sent;
}

TEST_F(OnPty, CursorStandsAtTheOutputPosition) {
  open();
  console->go_to(10, 5);
  console->flush();
  EXPECT_EQ(pty.take(), "\x1b[5;10H");
}

TEST_F(OnPty, ControlBytesShowAsTheirGlyphs) {
  open();
  std::string bytes;
  for (int b = 1; b < 32; ++b)
    if (b != BELL) bytes.push_back(static_cast<char>(b));
  console->go_to(1, 3);
  console->write(bytes);
  console->flush();
  const std::string sent = pty.take();
  EXPECT_NE(sent.find(utf8_string(bytes)), std::string::npos) << sent;
  EXPECT_EQ(console->bells(), 0);
}

TEST_F(OnPty, BellFollowsTheScreenItInterrupts) {
  open();
  console->go_to(1, 1);
  console->write("AB");
  console->write_char(BELL);
  console->write("C");
  const std::string sent = pty.take();
  const auto ab = sent.find("AB"), bell = sent.find('\a');
  ASSERT_NE(ab, std::string::npos) << sent;
  ASSERT_NE(bell, std::string::npos) << sent;
  EXPECT_LT(ab, bell);
  EXPECT_EQ(sent.find('C'), std::string::npos) << "the rest waits for the next flush";
}

TEST(TerminalColours, CellColoursAsTheTerminalCanShowThem) {
  struct Case {
    const char* label;
    const char* term;
    int fg, bg;
    std::string expected;  // attributes and colours, then the cell
    std::string absent;    // an SGR parameter that must not come before the cell
  };
  const Case table[] = {
      {"256 colours: bright white on black", "xterm-256color", 15, 0, "\x1b[97m\x1b[40mA", "1"},
      {"256 colours: inverse", "xterm-256color", 0, 7, "\x1b[30m\x1b[47mA", "7"},
      {"256 colours: bright yellow on blue", "xterm-256color", 14, 1, "\x1b[93m\x1b[44mA", "1"},
      {"8 colours: bright white is bold white", "xterm", 15, 0, "1m\x1b[37m\x1b[40mA", "97"},
      {"8 colours: inverse", "xterm", 0, 7, "\x1b[30m\x1b[47mA", "1"},
      {"8 colours: red stays red", "xterm", 4, 0, "\x1b[31m\x1b[40mA", "1"},
      {"no colours: inverse is reverse video", "vt100", 0, 7, "\x1b[0;7m", "30"},
      {"no colours: normal text", "vt100", 7, 0, "A", "7"},
  };
  for (const Case& c : table) {
    SCOPED_TRACE(c.label);
    Pty pty;
    TerminalConsole console(pty.in(), pty.out(), c.term);
    console.flush();
    pty.take();
    console.set_text_colour(c.fg);
    console.set_background(c.bg);
    console.go_to(1, 1);
    console.write("A");
    console.flush();
    const std::string sent = pty.take();
    EXPECT_NE(sent.find(c.expected), std::string::npos) << sent;
    const std::string before = sent.substr(0, sent.find('A'));
    for (const char* lead : {"[", ";"})
      for (const char* end : {"m", ";"})
        EXPECT_EQ(before.find(lead + c.absent + end), std::string::npos) << sent;
  }
}

TEST_F(OnPty, RunPollsSendAtMostSixtyScreensASecond) {
  open();
  const auto start = std::chrono::steady_clock::now();
  const auto frames = console->frames_sent();
  int polls = 0;
  while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(300)) {
    console->go_to(1 + polls % 70, 2);
    console->write_int(polls);
    EXPECT_FALSE(console->key_waiting());
    ++polls;
    if (polls % 4096 == 0) pty.take();
  }
  pty.take();
  const auto sent = console->frames_sent() - frames;
  EXPECT_GE(sent, 5u);
  EXPECT_LE(sent, 25u);
}

TEST_F(OnPty, KeysTypedAreRead) {
  open();
  type(master(), "\x1b[A");
  EXPECT_EQ(console->read_key(), KEY_PREFIX);
  EXPECT_TRUE(console->key_waiting()) << "the second code is queued with the prefix";
  EXPECT_EQ(console->read_key(), KEY_UP);

  type(master(), "\x1b");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(console->read_key(), KEY_ESCAPE);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(ESCAPE_DELAY_MS - 5));
}

TEST(TerminalEnd, CtrlCAndSignalsEndTheNextRead) {
  struct Case {
    const char* label;
    int signal;  // raised, or 0 to type Ctrl-C
    int status;
  };
  const Case table[] = {{"Ctrl-C", 0, 130}, {"SIGTERM", SIGTERM, 143}, {"SIGHUP", SIGHUP, 129}, {"SIGINT", SIGINT, 130}};
  for (const Case& c : table) {
    SCOPED_TRACE(c.label);
    Pty pty;
    TerminalConsole console(pty.in(), pty.out(), "xterm-256color");
    if (c.signal == 0) type(pty.master(), "\x03");
    else std::raise(c.signal);
    try {
      console.read_key();
      ADD_FAILURE() << "read_key returned";
    } catch (const TerminalClosed& closed) {
      EXPECT_EQ(closed.status, c.status);
    }
  }
  // The handlers are put back when the console goes.
  struct sigaction now {};
  ::sigaction(SIGTERM, nullptr, &now);
  EXPECT_EQ(now.sa_handler, SIG_DFL);
}

TEST(TerminalOpen, RefusesWhatIsNotAUsableTerminal) {
  Pty pty;
  std::FILE* null = std::fopen("/dev/null", "r+");
  ASSERT_NE(null, nullptr);
  struct Case {
    const char* label;
    std::FILE* in;
    std::FILE* out;
    const char* term;
    std::string reason;
  };
  const Case table[] = {
      {"input not a terminal", null, pty.out(), "xterm", "standard input is not a terminal"},
      {"output not a terminal", pty.in(), null, "xterm", "standard output is not a terminal"},
      {"unknown type", pty.in(), pty.out(), "unknown-term", "terminal type 'unknown-term' is not usable here"},
  };
  for (const Case& c : table) {
    SCOPED_TRACE(c.label);
    try {
      TerminalConsole console(c.in, c.out, c.term);
      ADD_FAILURE() << "opened";
    } catch (const TerminalError& e) {
      EXPECT_EQ(std::string(e.what()), c.reason);
    }
    EXPECT_EQ(pty.take(), "") << "nothing drawn";
  }
  std::fclose(null);
  EXPECT_NO_THROW(TerminalConsole(pty.in(), pty.out(), "xterm")) << "a failed open leaves nothing behind";
}

}  // namespace
}  // namespace telun
