// The information window's text area and its layouts: the editor layout
// (the cell under the cursor, ANACELL), the run layout (INIINFWIN) and the
// analysis of a cell as an instruction (ANAKOP).
#include <string>

#include "simulator/simulator.h"
#include "simulator/texts.h"

namespace telun {

void Simulator::write_at(int column, int row, std::string_view text) {
  con_.go_to(column, row);
  con_.write(text);
}

void Simulator::CLRINFWIN() {
  const std::string blanks(static_cast<std::size_t>(cfg_.clear_width), ' ');
  for (int row = 7; row <= 18; ++row) write_at(cfg_.clear_column, row, blanks);
}

void Simulator::INIINFWIN() {
  CLRINFWIN();
  const int col = cfg_.label_column;
  write_at(col, 7, simtext::DONE_LABEL);
  write_at(col, 8, simtext::INSTRUCTION_LABEL);
  con_.write(machine_.PCSTR);
  write_at(col, 10, simtext::ERRORS_LABEL);
  write_at(col, 11, simtext::NO_ERRORS);
  write_at(col, 12, simtext::COMMENTS_LABEL);
}

void Simulator::ANACELL(int k) {
  const int col = cfg_.label_column;
  if (k == 0) {
    CLRINFWIN();
    write_at(col, 7, simtext::CELL_LABEL);
    write_at(col, 9, simtext::DECIMAL_LABEL);
    write_at(col, 12, simtext::COMMAND_LABEL);
  }
  write_at(cfg_.address_column, 7, panel_.ADRSTR[CURCELL]);
  machine_.CELL = CURCELL;
  con_.go_to(cfg_.decimal_column, 10);
  con_.write_int(machine_.value_of(machine_.CELL));
  con_.write(cfg_.decimal_blanks);
  ANAKOP(k);
}

void Simulator::ANAKOP(int k) {
  const int col = cfg_.label_column;
  if (k == 0) {
    write_at(col, 13, simtext::OPERATION_LABEL);
    write_at(col, 15, simtext::OPERANDS_LABEL);
  }
  const int saved = machine_.CELL;
  machine_.OPERANDS();
  const std::string& help = panel_.HELP[machine_.KOP + 2];
  write_at(cfg_.opcode_column, 13, std::string_view(help).substr(0, 3));
  write_at(col, 14, std::string_view(help).substr(4));
  const int address[3] = {machine_.A1, machine_.A2, machine_.A3};
  for (int j = 1; j <= 3; ++j) {
    const int a = address[j - 1];
    con_.go_to(col, 15 + j);
    con_.write_char('A');  // Latin A
    con_.write_int(j);
    con_.write("= ");
    con_.write(panel_.ADRSTR[a]);
    con_.write(cfg_.operand_gap);
    con_.write_int(machine_.value_of(a));
    con_.write(cfg_.operand_tail);
  }
  machine_.CELL = saved;
}

}  // namespace telun
