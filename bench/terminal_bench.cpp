// The terminal path's ceiling: screens rendered by TerminalConsole into a
// pseudo-terminal whose far end is read and thrown away, and the cost of a
// run's keyboard poll. PtyConsole below can carry any other figure through
// the terminal (e.g. an AUTO run: make a program on pty.console()).

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "panel/terminal.h"

namespace {

// A TerminalConsole on an 80x25 pseudo-terminal, as xterm-256color.
class PtyConsole {
 public:
  PtyConsole() {
    winsize ws{};
    ws.ws_row = telun::SCREEN_ROWS;
    ws.ws_col = telun::SCREEN_COLUMNS;
    int slave = -1;
    if (::openpty(&master_, &slave, nullptr, nullptr, &ws) != 0) throw std::runtime_error("openpty failed");
    ::fcntl(master_, F_SETFL, O_NONBLOCK);
    in_ = ::fdopen(slave, "r");
    out_ = ::fdopen(::dup(slave), "w");
    console_ = std::make_unique<telun::TerminalConsole>(in_, out_, "xterm-256color");
  }
  ~PtyConsole() {
    console_.reset();
    drain();
    std::fclose(in_);
    std::fclose(out_);
    ::close(master_);
  }
  telun::TerminalConsole& console() { return *console_; }
  // Reads what the terminal was sent; returns the number of bytes.
  std::uint64_t drain() {
    std::uint64_t total = 0;
    char buf[65536];
    for (ssize_t n; (n = ::read(master_, buf, sizeof buf)) > 0;) total += static_cast<std::uint64_t>(n);
    return total;
  }

 private:
  int master_ = -1;
  std::FILE* in_ = nullptr;
  std::FILE* out_ = nullptr;
  std::unique_ptr<telun::TerminalConsole> console_;
};

// Every frame changes `cells` cells spread over the screen (2000: all),
// in the panel's two colour pairs, then sends the screen.
void BM_TerminalFrames(benchmark::State& state) {
  PtyConsole pty;
  telun::TerminalConsole& c = pty.console();
  const int cells = static_cast<int>(state.range(0));
  const int stride = telun::SCREEN_COLUMNS * telun::SCREEN_ROWS / cells;
  std::uint64_t bytes = 0;
  int frame = 0;
  for (auto _ : state) {
    for (int i = 0; i < cells; ++i) {
      const int at = i * stride;
      c.go_to(1 + at % telun::SCREEN_COLUMNS, 1 + at / telun::SCREEN_COLUMNS);
      const bool inverse = (i + frame) % 7 == 0;
      c.set_background(inverse ? 7 : 0);
      c.set_text_colour(inverse ? 0 : 15);
      c.write_char(static_cast<std::uint8_t>((i + frame) % 2 ? '0' + (i + frame) % 2 : 0xCD));
    }
    c.flush();
    bytes += pty.drain();
    ++frame;
  }
  bytes += pty.drain();
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(frame), benchmark::Counter::kIsRate);
  state.counters["bytes/s"] = benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kIsRate);
  state.counters["bytes/frame"] = static_cast<double>(bytes) / frame;
}
BENCHMARK(BM_TerminalFrames)->Arg(2000)->Arg(80)->Arg(8);

// key_waiting with no key waiting, between small screen changes, as an
// automatic run calls it after each instruction.
void BM_TerminalPollNoKey(benchmark::State& state) {
  PtyConsole pty;
  telun::TerminalConsole& c = pty.console();
  const auto frames = c.frames_sent();
  int i = 0;
  for (auto _ : state) {
    if (state.range(0) != 0) {
      c.go_to(1 + i % 16, 5);
      c.write_char(static_cast<std::uint8_t>('0' + i % 2));
    }
    benchmark::DoNotOptimize(c.key_waiting());
    if (++i % 65536 == 0) pty.drain();
  }
  state.counters["frames/s"] =
      benchmark::Counter(static_cast<double>(c.frames_sent() - frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TerminalPollNoKey)->Arg(0)->Arg(1);

}  // namespace
