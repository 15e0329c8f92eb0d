// The terminal path's ceiling: screens rendered by TerminalConsole into a
// pseudo-terminal whose far end is read and thrown away, and the cost of a
// run's keyboard poll. PtyConsole (bench/pty_console.h) carries the other figures
// through the terminal.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/pty_console.h"
#include "panel/terminal.h"

namespace {

// Every frame changes `cells` cells spread over the screen (2000: all),
// in the panel's two colour pairs, then sends the screen.
void BM_TerminalFrames(benchmark::State& state) {
  telun::PtyConsole pty;
  telun::TerminalConsole& c = pty.console();
  const int cells = static_cast<int>(state.range(0));
  const int stride = telun::SCREEN_COLUMNS * telun::SCREEN_ROWS / cells;
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
    ++frame;
  }
  const auto bytes = pty.bytes();
  state.counters["frames/s"] = benchmark::Counter(static_cast<double>(frame), benchmark::Counter::kIsRate);
  state.counters["bytes/s"] = benchmark::Counter(static_cast<double>(bytes), benchmark::Counter::kIsRate);
  state.counters["bytes/frame"] = static_cast<double>(bytes) / frame;
}
BENCHMARK(BM_TerminalFrames)->Arg(2000)->Arg(80)->Arg(8);

// key_waiting with no key waiting, between small screen changes, as an
// automatic run calls it after each instruction.
void BM_TerminalPollNoKey(benchmark::State& state) {
  telun::PtyConsole pty;
  telun::TerminalConsole& c = pty.console();
  const auto frames = c.frames_sent();
  int i = 0;
  for (auto _ : state) {
    if (state.range(0) != 0) {
      c.go_to(1 + i % 16, 5);
      c.write_char(static_cast<std::uint8_t>('0' + i % 2));
    }
    benchmark::DoNotOptimize(c.key_waiting());
    ++i;
  }
  state.counters["frames/s"] =
      benchmark::Counter(static_cast<double>(c.frames_sent() - frames), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TerminalPollNoKey)->Arg(0)->Arg(1);

}  // namespace
