#include "tests/simulator/session.h"

#include <sstream>

namespace telun::testing {

void expect_panel_agrees(const ScreenConsole& con, const Simulator& sim) {
  const Machine& m = sim.machine();
  const SimulatorConfig& cfg = sim.config();
  const PanelLayout& lay = cfg.panel;
  const int N = m.N(), W = m.W(), AW = m.AW();
  std::ostringstream problems;

  auto range = [&](const char* name, int value, int lo, int hi) {
    if (value < lo || value > hi) problems << name << " = " << value << " outside " << lo << ".." << hi << "\n";
  };
  range("CURCELL", sim.cursor_cell(), 0, N - 1);
  range("CURDIG", sim.cursor_digit(), 1, W);
  range("CELL", m.CELL, 0, N - 1);
  range("PC10", m.PC10, 0, N - 1);
  range("REGIM", m.REGIM, 1, 4);
  if (m.HILITE != -1) range("HILITE", m.HILITE, 0, N - 1);

  // A digit row: digit i at the memory display's column of digit i, shifted
  // to the row's own first column.
  const int first = cfg.digit_columns[0];
  auto digit_row = [&](const std::string& name, const Digits& digits, int column, int row, bool inverse) {
    for (int i = W; i >= 1; --i) {
      const int col = column + cfg.digit_columns[static_cast<std::size_t>(W - i)] - first;
      range((name + " digit").c_str(), digits[i], 0, 1);
      const char want = static_cast<char>('0' + digits[i]);
      const char shown = con.text_at(col, row, 1)[0];
      if (shown != want) problems << name << " digit " << i << ": screen " << shown << ", machine " << want << "\n";
      if (con.inverse_at(col, row) != inverse)
        problems << name << " digit " << i << (inverse ? " not in inverse video\n" : " in inverse video\n");
    }
  };
  for (int c = 0; c < N; ++c)
    digit_row("cell " + std::to_string(c), m.MEM[c], lay.memory_column, lay.row_of_cell(c), c == m.HILITE);
  digit_row("PK", m.RK, lay.rk_digits.column, lay.rk_digits.row, false);
  digit_row("CM", m.SM, lay.sm_digits.column, lay.sm_digits.row, false);

  const int pc_step = lay.digits == DigitStyle::Spaced ? 2 : 1;
  int pc_value = 0;
  for (int i = AW; i >= 1; --i) {
    range("PC digit", m.PC[i], 0, 1);
    pc_value = pc_value * 2 + m.PC[i];
    const char shown = con.text_at(lay.pc_digits.column + pc_step * (AW - i), lay.pc_digits.row, 1)[0];
    if (shown != '0' + m.PC[i]) problems << "CK digit " << i << ": screen " << shown << "\n";
  }
  if (pc_value != m.PC10) problems << "PC10 = " << m.PC10 << " but the PC digits hold " << pc_value << "\n";

  EXPECT_EQ(problems.str(), "") << "panel and machine disagree";
}

}  // namespace telun::testing
