#pragma once
// Where everything of the machine panel stands, one table per program.

#include <array>
#include <string_view>

#include "machine/cp866.h"

namespace telun {

struct Point {
  int column = 0, row = 0;
};

// A framed box; a box with a title has it written at (title_column, y1).
struct BoxLayout {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  int kind = 1;  // 1 single line, 2 double line
  std::string_view title;
  int title_column = 1;
  bool present() const { return x2 > x1; }
};

// How a digit row is spaced: the basic machine puts a blank between the
// digits of a field, the M machine writes them side by side.
enum class DigitStyle { Spaced, Packed };

struct PanelLayout {
  std::string_view notice1;  // row 1 from column 1; the title follows it directly
  std::string_view title;    // in inverse video
  std::string_view notice2;  // at (62, 1)
  std::string_view heading;  // column heading at (1, 2)
  BoxLayout memory, alu, screen, help, info, mode, program;
  // Draw the program window, then the machine screen over its bottom edge.
  bool screen_over_program = false;
  int memory_column = 0;     // first digit of a memory row
  int memory_first_row = 0;  // row of cell 0
  int memory_row_step = 1;   // rows between two cells
  int address_column = 2;
  Point rk_label, rk_digits, sm_label, sm_digits, pc_digits, ck_label;
  int output_column = 0;     // output lines of the stop instruction, rows 21..23
  int output_width = 0;      // blanks CLRDISP writes on each of them
  Point help_text;           // line k of the help at (column, row + k - 1)
  Point indicator;           // the mode indicator
  DigitStyle digits = DigitStyle::Packed;
  std::array<std::string_view, 4> REGNAME;  // names of modes 1..4
  std::array<std::string_view, 5> key_help; // help lines 12..16
  int row_of_cell(int c) const { return memory_first_row + memory_row_step * c; }
};

extern const PanelLayout TELUN_PANEL;
extern const PanelLayout TELUNM_PANEL;
extern const PanelLayout LIMET_PANEL;

}  // namespace telun
