#pragma once
// A simulator program, telun or telunm: the machine, its panel and the
// pupil's session on one console. The pupil sets the digits of the cells in
// the cell editor and runs the program in AUTO, STEP or TAKT mode, while the
// information window explains each instruction and each clock phase.
//
// The two programs are one body of code; everything in which they differ
// is the configuration table below.

#include <array>
#include <cstdint>
#include <string_view>

#include "machine/machine.h"
#include "panel/console.h"
#include "panel/frames.h"
#include "panel/panel.h"

namespace telun {

struct SimulatorConfig {
  const MachineConfig& machine;
  const PanelLayout& panel;

  // Cell editor: the screen column of each digit of a memory row, leftmost
  // (digit W) first; the row of a cell is the panel's.
  std::array<int, 16> digit_columns;

  // Information window (text area rows 7..18).
  int clear_column;    // first column the window's routines clear
  // Columns cleared per row: the 21 of the text area, and in telunm also the
  // two up to the frame, where the jump target of the commentary ends.
  int clear_width;
  int label_column;    // labels of both layouts, the phase number of row 9
  int address_column;  // address after "ЯЧЕЙКА: " (row 7)
  int decimal_column;  // decimal value of the cell (row 10)
  int opcode_column;   // opcode digits after "операция " (row 13)
  std::string_view decimal_blanks;  // wipe the rest of a longer previous value
  std::string_view operand_gap;     // between an operand's address and its value
  std::string_view operand_tail;    // after an operand's value

  // Main loop and mode menu.
  std::string_view run_pcstr;  // PCSTR before a run
  int report_column;           // stop report, rows 11 and 14
  int auto_address_column;     // address rewritten in row 8 after an AUTO run
  int menu_left, menu_right;   // frame of the mode menu, rows 9..15
  int menu_text_column;        // " РЕЖИМ:" and the four mode names

  // Clock-phase commentary.
  int comment_column;         // rows 14 to 17
  std::string_view into_rk;   // after the fetched address in phase 1
};

extern const SimulatorConfig TELUN;
extern const SimulatorConfig TELUNM;

class Simulator : private CycleHooks {
 public:
  Simulator(Console& console, const SimulatorConfig& config);
  ~Simulator() override;
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  void run();  // start-up, then the session until "Q" answers a stop report

  const SimulatorConfig& config() const { return cfg_; }
  Machine& machine() { return machine_; }
  const Machine& machine() const { return machine_; }
  Panel& panel() { return panel_; }
  int cursor_cell() const { return CURCELL; }
  int cursor_digit() const { return CURDIG; }

 private:
  // --- start-up and main loop (simulator.cpp) ---------------------------------
  void startup();
  void prepare_run();  // PC to cell 0, flags cleared, the window for the mode
  void run_loop();     // KOMANDA until a stop, a waiting key or the editor
  void stop_report();  // the reason for the stop; waits for the answer

  // --- mode keys and the mode menu (modes.cpp) --------------------------------
  void WAIT();           // the pause: one key, mode keys act on it
  void FUNKEY();         // mode keys for the key in KEY, letters and function keys
  void LETTERS();        // the letter mode keys
  void EXTKODFUNKEY();   // the function-key mode keys (second code in KEY)
  void SELECTREGIM();    // the mode-selection menu
  void REGINDICATION();  // draws the menu with REGIM highlighted
  void mode_changed(int old_regim);  // indicator, and the run layout between run modes

  // --- cell editor (editor.cpp) -----------------------------------------------
  void EDITOR();  // the editing loop, until a mode key leaves editor mode
  void LOCATE();  // console cursor on digit CURDIG of cell CURCELL
  void UP();      // previous cell
  void DOWN();    // next cell
  void LEFT();    // one digit to the right on the screen (CURDIG - 1)
  void RIGHT();   // one digit to the left on the screen (CURDIG + 1)
  void WK();      // Enter: leftmost digit of the next cell
  void ZAP();     // stores the digit typed

  // --- information window (infowindow.cpp) ------------------------------------
  void CLRINFWIN();      // blanks over the text area
  void INIINFWIN();      // the run layout
  void ANACELL(int k);   // the cell under the cursor; 0: the whole editor layout
  void ANAKOP(int k);    // cell CELL as an instruction; 0: with its labels
  void write_at(int column, int row, std::string_view text);

  // --- clock-phase commentary (commentary.cpp) --------------------------------
  void fetched() override;
  void advanced() override;
  void loaded_first() override;
  void before_move_store() override;
  void arithmetic_done() override;
  void before_result_store() override;
  void compared() override;
  void branched() override;
  void before_output(int j) override;
  void after_output(int j) override;
  void VIZUSLOVIE();    // opens phase 5 of a conditional jump
  void PRINT(int j);    // opens the output phase of number j of the stop instruction
  bool takt() const { return REGIM == 4; }
  void phase_label(char number);  // "Такт n" in row 9
  void phase(char number);        // run layout, then the phase label
  void field_digits(int field);  // the digits of address field 1..3 of RK

  Console& con_;
  const SimulatorConfig& cfg_;
  Frames frames_;
  Machine machine_;
  Panel panel_;
  int& REGIM;             // the current mode, 1 editor, 2 AUTO, 3 STEP, 4 TAKT (held by the machine)
  std::uint8_t KEY = 'W';  // the last key code read
  int CURCELL = 0;         // the cell under the editor's cursor
  int CURDIG = 1;          // the digit under the cursor, 1..W (W leftmost)
};

}  // namespace telun
