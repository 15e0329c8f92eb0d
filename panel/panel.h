#pragma once
// The machine panel shared by the three programs: drawn once at start-up,
// then repainted part by part as the machine works. Positions come from the
// program's layout table.

#include <array>
#include <string>

#include "machine/machine.h"
#include "panel/frames.h"
#include "panel/layout.h"

namespace telun {

class Panel : public MachineView {
 public:
  // Registers itself as the machine's view.
  Panel(Machine& machine, Frames& frames, const PanelLayout& layout);
  Panel(const Panel&) = delete;
  Panel& operator=(const Panel&) = delete;
  ~Panel() override;

  const PanelLayout& layout() const { return lay_; }

  std::array<std::string, 16> ADRSTR;  // address of each cell, '0'/'1', top digit first
  std::array<std::string, 17> HELP;    // help lines 1..16 (index 0 unused)

  void INISCREEN();  // the whole panel from a blank screen; needs PC = 0, HILITE = -1
  void INIHELP();    // fills HELP
  void VIZUALMEM() override;  // the row of cell CELL, inverse when CELL = HILITE
  void VIZUALALLMEM();        // every cell's row; CELL ends at N-1
  void VIZUALRK() override;
  void VIZUALSM() override;
  void VIZUALPC() override;
  void show_output(int j, std::string_view line) override;
  void ANARR();    // the separator after digit I of the digit row being formed
  void CLRDISP();  // blanks over the three output lines of the machine screen
  void REGIND();   // "РЕЖИМ: " and the name of the current mode, inverse

 private:
  void draw_box(const BoxLayout& box);
  void digit_row(const Digits& digits);  // digits W..1 with ANARR at the output position

  Machine& m_;
  Frames& fr_;
  Console& con_;
  const PanelLayout& lay_;
  int I = 0;         // digit just written by a digit-row loop (read by ANARR)
  std::string row_;  // the digit row being formed
};

}  // namespace telun
