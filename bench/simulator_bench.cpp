// telun and telunm in AUTO mode on an endless loop, the whole program as a
// pupil runs it: on the in-memory screen, and through the terminal backend
// into a pseudo-terminal (instructions and screens sent per second, and how
// long a key takes to stop the run). The cycle's own figures without a
// display and with the bare panel are in cycle_bench.cpp, in the same run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "panel/screen.h"
#include "panel/terminal.h"
#include "simulator/simulator.h"

namespace telun {
namespace {

using Clock = std::chrono::steady_clock;

// The keys of the loop as a pupil types it, then "A": cell 0: (7) := (5) + (6);
// cell 1: to cell 0 when (0) = (0), i.e. always; (5) = 1, (6) = 2.
// down is the down arrow as the console delivers it.
std::string loop_keys(const SimulatorConfig& cfg, const std::string& down) {
  const int W = cfg.machine.W, AW = cfg.machine.AW;
  auto digits = [W](int value) {
    std::string s(static_cast<std::size_t>(W), '0');
    for (int i = W - 1; i >= 0; --i, value /= 2) s[static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 2);
    return s;
  };
  auto word = [&](int kop, int a1, int a2, int a3) {
    return digits((kop << (W - 3)) + (a1 << (2 * AW)) + (a2 << AW) + a3);
  };
  return word(1, 5, 6, 7) + "\r" + word(4, 0, 0, 0) + "\r" + down + down + down + digits(1) + "\r" + digits(2) +
         "\r" + "A";
}

// The in-memory screen; a key arrives after `instructions` polls of a run,
// and the report's read ends the session.
class CountingScreen : public ScreenConsole {
 public:
  explicit CountingScreen(long instructions) : left_(instructions) {}

 protected:
  void poll_keys() override {
    if (--left_ == 0) push_key('x');
  }

 private:
  long left_;
};

void BM_SimulatorAutoInMemory(benchmark::State& state) {
  const SimulatorConfig& cfg = state.range(0) == 0 ? TELUN : TELUNM;
  const long instructions = 200000;
  std::string down = {static_cast<char>(KEY_PREFIX), static_cast<char>(KEY_DOWN)};
  for (auto _ : state) {
    CountingScreen con(instructions);
    con.push_keys(loop_keys(cfg, down));
    Simulator sim(con, cfg);
    try {
      sim.run();
    } catch (const ScriptEnded&) {
    }
  }
  state.SetLabel(state.range(0) == 0 ? "telun" : "telunm");
  state.counters["instructions/s"] =
      benchmark::Counter(static_cast<double>(instructions * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SimulatorAutoInMemory)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The terminal backend on a pseudo-terminal whose other end a thread reads
// (so output never blocks) and types into: the program, then after the run
// time a key that stops the run; the report is answered with "Q".
class PtyTerminal : public TerminalConsole {
 public:
  PtyTerminal(std::FILE* in, std::FILE* out, int master) : TerminalConsole(in, out, "xterm-256color"), master_(master) {}

  bool key_waiting() override {
    if (polls_++ == 0) {  // the run has begun
      first_poll = Clock::now();
      frames_at_start = frames_sent();
      run_started = true;
    }
    return TerminalConsole::key_waiting();
  }
  std::uint8_t read_key() override {
    if (stop_sent.load() && !stopped) {  // the report's read: the run is over
      stopped = true;
      run_end = Clock::now();
      frames_in_run = frames_sent() - frames_at_start;
      instructions = polls_;
      const char q = 'Q';
      if (::write(master_, &q, 1) != 1) std::abort();
    }
    return TerminalConsole::read_key();
  }

  std::atomic<bool> run_started{false}, stop_sent{false};
  Clock::time_point stop_time{}, first_poll{}, run_end{};
  bool stopped = false;
  long instructions = 0;
  std::uint64_t frames_at_start = 0, frames_in_run = 0;

 private:
  int master_;
  long polls_ = 0;
};

void BM_SimulatorAutoTerminal(benchmark::State& state) {
  const SimulatorConfig& cfg = state.range(0) == 0 ? TELUN : TELUNM;
  const auto run_time = std::chrono::milliseconds(1000);
  double instr_per_s = 0, frames_per_s = 0, bytes_per_s = 0, stop_ms = 0;
  for (auto _ : state) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
      state.SkipWithError("no pseudo-terminal");
      return;
    }
    winsize size{};
    size.ws_col = 80;
    size.ws_row = 25;
    ::ioctl(master, TIOCSWINSZ, &size);
    const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    std::FILE* in = ::fdopen(slave, "r");
    std::FILE* out = ::fdopen(::dup(slave), "w");

    std::atomic<bool> done{false};
    std::atomic<long> bytes{0};
    std::thread other_end([&] {  // reads everything the program sends
      char buffer[65536];
      while (!done.load()) {
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0) break;
        bytes += n;
      }
    });
    {
      PtyTerminal con(in, out, master);
      const std::string keys = loop_keys(cfg, "\x1b[B");
      if (::write(master, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) std::abort();
      std::thread stopper([&] {
        // The run starts with the "A"; the stop key follows after the run time.
        while (!con.run_started.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        std::this_thread::sleep_for(run_time);
        con.stop_time = Clock::now();
        con.stop_sent = true;
        const char x = 'x';
        if (::write(master, &x, 1) != 1) std::abort();
      });
      const long bytes_before = bytes.load();
      Simulator sim(con, cfg);
      sim.run();
      stopper.join();
      const double seconds = std::chrono::duration<double>(con.run_end - con.first_poll).count();
      instr_per_s = static_cast<double>(con.instructions) / seconds;
      frames_per_s = static_cast<double>(con.frames_in_run) / seconds;
      bytes_per_s = static_cast<double>(bytes.load() - bytes_before) / seconds;
      stop_ms = std::chrono::duration<double, std::milli>(con.run_end - con.stop_time).count();
    }
    done = true;
    std::fclose(in);
    std::fclose(out);
    ::close(master);
    other_end.join();
  }
  state.SetLabel(state.range(0) == 0 ? "telun" : "telunm");
  state.counters["instructions/s"] = instr_per_s;
  state.counters["screens/s"] = frames_per_s;
  state.counters["bytes/s"] = bytes_per_s;
  state.counters["stop_ms"] = stop_ms;
  state.counters["frame_ms"] = 1000.0 / TerminalConsole::FRAMES_PER_SECOND;
}
BENCHMARK(BM_SimulatorAutoTerminal)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace telun
