#pragma once
// What the machine needs from its surroundings: a view that repaints what
// changed, and the hook points of the instruction cycle at which a program
// may comment on the clock phases and pause. The machine knows no screen.

#include <string_view>

namespace telun {

class MachineView {
 public:
  virtual ~MachineView() = default;
  virtual void VIZUALMEM() = 0;  // repaint the row of cell CELL
  virtual void VIZUALRK() = 0;   // repaint RK
  virtual void VIZUALSM() = 0;   // repaint SM
  virtual void VIZUALPC() = 0;   // repaint PC
  // Output line j (1..3) of the stop instruction, written at its place on
  // the machine screen and followed by a line end.
  virtual void show_output(int j, std::string_view line) = 0;
};

// The clock-phase hook points, in the order the cycle reaches them. Each is
// called whatever the mode; the program decides from REGIM what to do.
class CycleHooks {
 public:
  virtual ~CycleHooks() = default;
  virtual void fetched() {}              // after FETCH (phase 1)
  virtual void advanced() {}             // after ADVANCE (phase 2)
  virtual void loaded_first() {}         // after LOAD1 (phase 3)
  virtual void before_move_store() {}    // MOV, before STORE (phase 4)
  virtual void arithmetic_done() {}      // ARIFMOPEND: after COMPUTE, before RESULT (phase 4)
  virtual void before_result_store() {}  // RESULT without error, before STORE (phase 5)
  virtual void compared() {}             // BRUNCH, before the jump (phase 4)
  virtual void branched() {}             // BRUNCH, after the jump (phase 5)
  virtual void before_output(int /*j*/) {}   // HLT, before output line j (PRINT)
  virtual void after_output(int /*j*/) {}    // HLT, after output line j
};

}  // namespace telun
