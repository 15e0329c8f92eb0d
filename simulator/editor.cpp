// The cell editor: a cursor over the digits of the memory display, the
// digits 0 and 1 stored where it stands, the cell under it analysed in the
// information window.
//   Up/Down: previous/next cell   Left/Right: one digit left/right
//   0, 1: store the digit, go one right   Enter: leftmost digit of the next cell
#include "simulator/simulator.h"

namespace telun {

void Simulator::EDITOR() {
  while (REGIM == 1) {
    LOCATE();
    KEY = con_.read_key();
    LETTERS();
    if (KEY == frames_.KEYS[0]) {
      KEY = con_.read_key();
      if (KEY == frames_.KEYS[1])
        UP();
      else if (KEY == frames_.KEYS[2])
        DOWN();
      else if (KEY == frames_.KEYS[3])
        LEFT();
      else if (KEY == frames_.KEYS[4])
        RIGHT();
      else
        EXTKODFUNKEY();
    }
    // KEY may also be the second code of an extended key or the key that
    // closed the mode menu: closing it with 0, 1 or Enter acts here too.
    if (KEY == '0' || KEY == '1') ZAP();
    if (KEY == KEY_ENTER) WK();
  }
}

void Simulator::LOCATE() {
  con_.go_to(cfg_.digit_columns[machine_.W() - CURDIG], cfg_.panel.row_of_cell(CURCELL));
}

void Simulator::UP() {
  if (CURCELL == 0) return;
  --CURCELL;
  ANACELL(1);
}

void Simulator::DOWN() {
  if (CURCELL == machine_.N() - 1) return;
  ++CURCELL;
  ANACELL(1);
}

void Simulator::LEFT() {
  if (CURDIG > 1) --CURDIG;
}

void Simulator::RIGHT() {
  if (CURDIG < machine_.W()) ++CURDIG;
}

void Simulator::WK() {
  CURDIG = machine_.W();
  DOWN();
}

void Simulator::ZAP() {
  const auto d = static_cast<std::uint8_t>(KEY - '0');
  std::uint8_t& digit = machine_.MEM[CURCELL][CURDIG];
  if (digit != d) {
    digit = d;
    LOCATE();
    con_.write_char(KEY);
    ANACELL(1);
  }
  LEFT();
}

}  // namespace telun
