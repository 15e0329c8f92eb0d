#pragma once
// An automatic run of an endless two-instruction loop, done as the run
// loop of the simulators does it: one instruction, the executed cell
// un-marked, then a look at the keyboard. The browser bench page and the
// native bench run this same code, so their figures compare the backends.

#include <cstdint>
#include <functional>

#include "machine/machine.h"
#include "panel/console.h"
#include "panel/frames.h"
#include "panel/panel.h"

namespace telun {

// cell 0: (7) := (5) + (6); cell 1: to cell 0 when (0) = (0), i.e. always.
inline void load_endless_loop(Machine& m) {
  const MachineConfig& c = m.config();
  auto word = [&](int kop, int a1, int a2, int a3) {
    return (kop << (c.W - 3)) + (a1 << (2 * c.AW)) + (a2 << c.AW) + a3;
  };
  m.set_cell(0, word(1, 5, 6, 7));
  m.set_cell(1, word(4, 0, 0, 0));
  m.set_cell(5, 1);
  m.set_cell(6, 2);
}

// Draws the panel of the M machine on con and runs the loop in AUTO until a
// key is waiting or go_on (asked every 1024 instructions with the number
// done so far) says stop. Returns the number of instructions done.
inline std::uint64_t run_endless_loop(Console& con, const std::function<bool(std::uint64_t)>& go_on) {
  Frames fr(con);
  Machine m(TELUNM_MACHINE);
  Panel panel(m, fr, TELUNM_PANEL);
  fr.INVERSOFF();
  con.clear();
  panel.INISCREEN();
  load_endless_loop(m);
  m.REGIM = 2;
  std::uint64_t done = 0;
  for (;;) {
    m.KOMANDA();
    m.CELL = m.HILITE;
    m.HILITE = -1;
    panel.VIZUALMEM();
    ++done;
    if (con.key_waiting()) break;
    if (done % 1024 == 0 && !go_on(done)) break;
  }
  return done;
}

}  // namespace telun
