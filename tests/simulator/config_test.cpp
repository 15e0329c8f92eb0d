// The configuration tables of both programs against their panel layouts:
// the cell editor's columns are where the panel draws the digits, and what
// the information window writes stays inside its frame.
#include "tests/simulator/session.h"

namespace telun::testing {
namespace {

TEST(Config, DigitColumnsAreThePanelsDigits) {
  // With every digit of a cell set, each editor column shows a "1" on the
  // memory row, and the row has exactly W of them.
  for (const Program& p : PROGRAMS) {
    SCOPED_TRACE(p.name);
    Session s(p.cfg);
    const int W = p.cfg.machine.W;
    s.keys(Keys().down(2).digits(std::string(static_cast<std::size_t>(W), '1')));
    s.run();
    const int row = p.cfg.panel.row_of_cell(2);
    int ones = 0;
    for (int col = p.cfg.panel.memory.x1 + 1; col < p.cfg.panel.memory.x2; ++col) ones += s.con.text_at(col, row, 1) == "1";
    EXPECT_EQ(ones, W);
    for (int d = 0; d < W; ++d) EXPECT_EQ(s.con.text_at(p.cfg.digit_columns[static_cast<std::size_t>(d)], row, 1), "1");
  }
}

TEST(Config, WindowTextsStayInsideTheFrame) {
  for (const Program& p : PROGRAMS) {
    SCOPED_TRACE(p.name);
    const SimulatorConfig& c = p.cfg;
    const BoxLayout& info = c.panel.info;
    const int last = c.clear_column + c.clear_width - 1;  // last column cleared
    EXPECT_GT(c.clear_column, info.x1);
    EXPECT_LT(last, info.x2);
    for (int col : {c.label_column, c.address_column, c.decimal_column, c.opcode_column, c.report_column,
                    c.auto_address_column, c.comment_column, c.menu_left, c.menu_text_column}) {
      EXPECT_GE(col, c.clear_column);
      EXPECT_LE(col, last);
    }
    EXPECT_LE(c.menu_right, last);
    // The longest texts: phase 1's address line, the jump target, an operand line.
    const int aw = c.machine.AW;
    EXPECT_LE(c.comment_column + 7 + aw + static_cast<int>(c.into_rk.size()) - 1, last);
    EXPECT_LE(c.comment_column + 17 + aw - 1, last);
    const int value_digits = static_cast<int>(std::to_string(c.machine.max_value()).size());
    EXPECT_LE(c.label_column + 4 + aw + static_cast<int>(c.operand_gap.size()) + value_digits +
                  static_cast<int>(c.operand_tail.size()) - 1,
              last);
  }
}

}  // namespace
}  // namespace telun::testing
