#pragma once
// The TELUN machine: memory, instruction register RK, accumulator SM and
// program counter PC, in the configuration given at construction, with the
// routines that move values between binary rows and integers and the
// instruction cycle KOMANDA.
//
// Digit rows are indexed by digit number: digit 1 is the least significant
// (shown rightmost), digit W the most significant; index 0 is unused.

#include <array>
#include <cstdint>
#include <string>

#include "machine/config.h"
#include "machine/view.h"

namespace telun {

using Digits = std::array<std::uint8_t, 16>;  // digits 1..W of a cell, RK or SM

class Machine {
 public:
  explicit Machine(const MachineConfig& config);
  Machine(const Machine&) = delete;
  Machine& operator=(const Machine&) = delete;

  const MachineConfig& config() const { return cfg_; }
  int N() const { return cfg_.N; }
  int W() const { return cfg_.W; }
  int AW() const { return cfg_.AW; }

  // Where repaints go (a panel), and the clock-phase hooks (simulators only).
  void set_view(MachineView* view) { view_ = view ? view : &null_view_; }
  void set_hooks(CycleHooks* hooks) { hooks_ = hooks; }

  // --- state ---------------------------------------------------------------
  std::array<Digits, 16> MEM{};  // the memory, cells 0..N-1
  Digits RK{};                   // instruction register ("PK" on the panel)
  Digits SM{};                   // accumulator ("CM")
  std::array<std::uint8_t, 5> PC{};  // program counter digits 1..AW ("CK")
  int PC10 = 0;                  // the program counter as a number
  std::string PCSTR;             // address of the instruction being executed, '0'/'1', top digit first
  int CELL = 0;                  // the cell the memory routines act on
  int HILITE = -1;               // the cell shown in inverse video, -1 for none
  int KOP = 0, A1 = 0, A2 = 0, A3 = 0;  // decoded opcode and addresses
  int NUM1 = 0;                  // value of the first operand
  int NUM = 0;                   // the number register
  int VAL = 0;                   // result of P2V10
  bool USLOVIE = false;          // condition of the jump being executed
  bool STOPFLAG = false;         // the running program must stop
  std::string ERRMSG;            // run-time error text, empty when none
  int REGIM = 1;                 // the program's current mode; 1 is the editor, 4 TAKT
  std::uint8_t OPSIGN = ' ';     // sign of the arithmetic instruction being executed
  std::array<std::uint8_t, 3> OUTNAME{};  // limet: names of the three output lines

  // --- word formats ----------------------------------------------------------
  void P2V10(int selector);  // VAL := value of a field of cell CELL
  void OPERANDS();           // KOP, A1, A2, A3 := fields of cell CELL
  void NUMBER();             // NUM := value of cell CELL
  void P10V2();              // SM := NUM modulo 2^W; repaint SM
  void OP1VSM();             // SM := cell CELL; repaint SM
  void SMVMEM();             // cell CELL := SM; repaint that row
  void INCPC();              // PC10, PC := next cell, N wraps to 0; repaint PC
  void CLRALL();             // everything to zero, no repaint

  // Value of a cell as a number (no state touched).
  int value_of(int cell) const;
  // Stores a value into a cell's digits directly (no state, no repaint).
  void set_cell(int cell, int value);
  // PC10 and every PC digit to 0 (no repaint): the start of a run.
  void reset_pc();

  // --- instruction cycle -----------------------------------------------------
  void KOMANDA();  // execute the instruction at PC

  void WYBORKA();     // FETCH: RK := cell PC10, marked
  void OPERAND1();    // LOAD1: SM := cell A1, NUM1 := its value
  void ZAPREZ();      // STORE: cell A3 := SM
  void OPERAND3();    // RESULT: SM := NUM; store unless an error is pending
  void ARIFMOPEND();  // phase 4 of an arithmetic instruction, then RESULT
  void BRUNCH();      // BRANCH: PC := A3 when USLOVIE holds
  void MOV();         // 000  cell A3 := cell A1
  void ADD();         // 001  (A3) := (A1) + (A2), overflow at 2^W
  void DIVV();        // 010  (A3) := (A1) div (A2), stop when (A2) = 0
  void SUB();         // 011  (A3) := |(A1) - (A2)|
  void BEQ();         // 100  to A3 when (A1) = (A2)
  void MUL();         // 101  (A3) := (A1) * (A2), overflow at 2^W
  void BPL();         // 110  to A3 when (A1) > (A2)
  void HLT();         // 111  show (A1), (A2), (A3), stop
  void OVERFLOW();    // STOPFLAG, ERRMSG := the overflow text
  void ZERO();        // STOPFLAG, ERRMSG := the division text

  // The stop instruction's output line for cell a (without the line end).
  std::string output_line(int j, int cell) const;

 private:
  struct NullView : MachineView {
    void VIZUALMEM() override {}
    void VIZUALRK() override {}
    void VIZUALSM() override {}
    void VIZUALPC() override {}
    void show_output(int, std::string_view) override {}
  };
  void LOAD2();
  void compute_result(long long value);  // NUM := value, OVERFLOW at 2^W

  MachineConfig cfg_;
  NullView null_view_;
  MachineView* view_ = &null_view_;
  CycleHooks* hooks_ = nullptr;
};

}  // namespace telun
