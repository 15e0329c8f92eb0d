// Compiling a full LIMET page, as the workbench's driver does it (comment
// filter and upper-casing, then the analysis), with the panel on the
// in-memory screen: the SUM program, and a page whose code fills memory.
#include <benchmark/benchmark.h>

#include <initializer_list>
#include <string_view>

#include "compiler/compiler.h"
#include "panel/layout.h"
#include "panel/screen.h"

namespace telun {
namespace {

struct Workbench {
  ScreenConsole con;
  Frames fr{con};
  Machine m{LIMET_MACHINE};
  Panel p{m, fr, LIMET_PANEL};
  Source src;
  Compiler c{m, p, fr, src};

  explicit Workbench(std::initializer_list<std::string_view> lines) {
    m.CLRALL();
    m.HILITE = -1;
    fr.INVERSOFF();
    p.INISCREEN();
    int row = 1;
    for (std::string_view line : lines) {
      for (std::size_t k = 0; k < line.size() && k < PAGE_COLUMNS; ++k)
        src.PROG(row, static_cast<int>(k) + 1) = static_cast<std::uint8_t>(line[k]);
      if (++row > PAGE_ROWS) break;
    }
  }

  bool compile() {
    c.REMFLAG = false;
    for (int r = 1; r <= PAGE_ROWS; ++r)
      for (int col = 1; col <= PAGE_COLUMNS; ++col) {
        c.CH = src.PROG(r, col);
        c.REM();
        if (c.COMPERR) return false;
        if (c.CH >= 'a' && c.CH <= 'z') c.CH = static_cast<std::uint8_t>(c.CH & 95);
        src.WPROG(r, col) = c.CH;
      }
    c.COMPERR = false;
    c.ANALIZ();
    return !c.COMPERR;
  }
};

void compile_page(benchmark::State& state, Workbench& w) {
  if (!w.compile()) {
    state.SkipWithError("the page does not compile");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(w.compile());
  state.counters["cells"] = static_cast<double>(w.c.LOMEM + 15 - w.c.HIMEM);
}

void BM_CompileSum(benchmark::State& state) {
  Workbench w({"PROGRAM SUM;", "VAR I,S,N:INTEGER;", "BEGIN", "S:=0;", "FOR I:=1 TO N DO S:=S+I;",
               "WRITELN(I,S,N);HALT", "END."});
  compile_page(state, w);
}
BENCHMARK(BM_CompileSum);

// Variables in cells 15..13, constants 1, 2, 3 in 12..10, instructions 0..9.
void BM_CompileFullMemory(benchmark::State& state) {
  Workbench w({"PROGRAM FULL; {16 cells}", "VAR A,B,C:INTEGER;", "BEGIN", "A:=B+1; B:=C*2;", "C:=A-3;",
               "IF A>B THEN C:=A", "ELSE C:=B;", "A:=B;", "B:=C", "END."});
  if (w.compile() && w.c.LOMEM != w.c.HIMEM + 1) state.SkipWithError("the page does not fill memory");
  compile_page(state, w);
}
BENCHMARK(BM_CompileFullMemory);

}  // namespace
}  // namespace telun
