#pragma once
// Inverse video, frame lines and framed boxes, with the box-drawing
// characters of the console kind in force (always the PC console in code
// page 866), and the key-code table of that console.

#include <array>
#include <cstdint>

#include "panel/console.h"

namespace telun {

enum class COMP { IBM };  // console kinds

class Frames {
 public:
  // Sets COMPUTER and fills the frame tables and KEYS, in that order.
  explicit Frames(Console& console);

  Console& console() { return con_; }

  COMP COMPUTER = COMP::IBM;
  // Indexed by frame kind: 1 single line, 2 double line (index 0 unused).
  std::array<std::uint8_t, 3> TLCORNER{}, TRCORNER{}, BLCORNER{}, BRCORNER{}, VBAR{}, HBAR{};
  // 0: prefix of a two-code key; 1..4: second codes of up, down, right, left.
  std::array<std::uint8_t, 5> KEYS{};

  void INVERSON();   // black on light grey for the following output
  void INVERSOFF();  // bright white on black
  // Vertical line of VBAR from (column, first_row) down, length characters.
  void WLINE(int column, int first_row, int length, int kind);
  // Horizontal line of HBAR from (first_column, row) right; the row comes first.
  void GLINE(int row, int first_column, int length, int kind);
  // Frame of (X1, Y1)-(X2, Y2); the output position is left at (CX, CY).
  void BOX12(int X1, int Y1, int X2, int K, int CY, int CX, int Y2);

 private:
  Console& con_;
};

}  // namespace telun
