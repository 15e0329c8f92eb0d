// The instruction cycle on an endless loop: with no display (the ceiling),
// with the panel on the in-memory screen, and through the terminal backend
// into a pseudo-terminal, polling the keyboard after every instruction as
// an automatic run does.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/pty_console.h"

#include "machine/machine.h"
#include "panel/panel.h"
#include "panel/screen.h"
#include "web/auto_loop.h"  // the same loop the browser bench runs

namespace telun {
namespace {

// One instruction as a run performs it: the cycle, then the main loop's
// un-marking of the executed cell.
void step(Machine& m, MachineView& view) {
  m.KOMANDA();
  m.CELL = m.HILITE;
  m.HILITE = -1;
  view.VIZUALMEM();
}

void BM_CycleNoDisplay(benchmark::State& state) {
  Machine m(TELUNM_MACHINE);
  load_endless_loop(m);
  m.REGIM = 2;
  struct : MachineView {
    void VIZUALMEM() override {}
    void VIZUALRK() override {}
    void VIZUALSM() override {}
    void VIZUALPC() override {}
    void show_output(int, std::string_view) override {}
  } none;
  for (auto _ : state) step(m, none);
  state.counters["instructions/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CycleNoDisplay);

void BM_CyclePanelInMemory(benchmark::State& state) {
  const bool basic = state.range(0) == 0;
  ScreenConsole con;
  Frames fr(con);
  Machine m(basic ? TELUN_MACHINE : TELUNM_MACHINE);
  Panel panel(m, fr, basic ? TELUN_PANEL : TELUNM_PANEL);
  panel.INISCREEN();
  load_endless_loop(m);
  m.REGIM = 2;
  for (auto _ : state) step(m, panel);
  state.SetLabel(basic ? "telun" : "telunm");
  state.counters["instructions/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CyclePanelInMemory)->Arg(0)->Arg(1);

void BM_CycleThroughTerminal(benchmark::State& state) {
  PtyConsole pty;
  TerminalConsole& con = pty.console();
  Frames fr(con);
  Machine m(TELUNM_MACHINE);
  Panel panel(m, fr, TELUNM_PANEL);
  panel.INISCREEN();
  load_endless_loop(m);
  m.REGIM = 2;
  const auto frames = con.frames_sent();
  const auto bytes = pty.bytes();
  for (auto _ : state) {
    step(m, panel);
    benchmark::DoNotOptimize(con.key_waiting());
  }
  state.counters["instructions/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["updates/s"] = benchmark::Counter(static_cast<double>(con.frames_sent() - frames), benchmark::Counter::kIsRate);
  state.counters["bytes/s"] = benchmark::Counter(static_cast<double>(pty.bytes() - bytes), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CycleThroughTerminal)->UseRealTime();

// From a key typed on the terminal's keyboard to the run seeing it waiting.
void BM_KeySeenDuringRun(benchmark::State& state) {
  PtyConsole pty;
  TerminalConsole& con = pty.console();
  Frames fr(con);
  Machine m(TELUNM_MACHINE);
  Panel panel(m, fr, TELUNM_PANEL);
  panel.INISCREEN();
  load_endless_loop(m);
  m.REGIM = 2;
  double worst = 0;
  for (auto _ : state) {
    pty.type("x", 1);
    const auto typed = std::chrono::steady_clock::now();
    do step(m, panel);
    while (!con.key_waiting());
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - typed).count();
    state.SetIterationTime(ms / 1000);
    if (ms > worst) worst = ms;
    benchmark::DoNotOptimize(con.read_key());
  }
  state.counters["worst_ms"] = worst;
}
BENCHMARK(BM_KeySeenDuringRun)->UseManualTime()->Iterations(50);

}  // namespace
}  // namespace telun
