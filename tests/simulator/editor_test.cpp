// The cell editor: the cursor over the digits, storing digits, its limits,
// and the editor layout of the information window.
#include "tests/simulator/session.h"

namespace telun::testing {
namespace {

TEST(Editor, CursorStandsOnTheDigitItStores) {
  // The cursor goes over every digit of a cell and back and down; at each
  // place "1" must appear exactly where the console cursor stood.
  for (const Program& p : PROGRAMS) {
    SCOPED_TRACE(p.name);
    const int W = p.cfg.machine.W;
    Session s(p.cfg);
    s.keys(Keys().down(1).left(W).str());  // cell 1, digit W (left beyond digit W does nothing)
    for (int d = W; d >= 1; --d) {
      s.then([&, d] {
        SCOPED_TRACE("digit " + std::to_string(d));
        const int col = s.con.column(), row = s.con.row();
        EXPECT_EQ(s.sim.cursor_digit(), d);
        EXPECT_EQ(row, p.cfg.panel.row_of_cell(1));
        EXPECT_EQ(s.con.text_at(col, row, 1), "0");
        // Every other digit is stored, the rest are stepped over with the arrow.
        s.keys(d % 2 ? std::string("1") : Keys().right().str());
      });
    }
    s.run();
    int expected = 0;
    for (int d = W; d >= 1; --d) expected = expected * 2 + d % 2;
    EXPECT_EQ(s.sim.machine().value_of(1), expected);
    EXPECT_EQ(s.sim.cursor_digit(), 1);
  }
}

TEST(Editor, LimitsAndIgnoredKeys) {
  struct Case {
    const char* name;
    std::string keys;
    int cell, digit;  // cursor afterwards
    int cell_value;   // of the cell the case types into
  };
  for (const Program& p : PROGRAMS) {
    const int N = p.cfg.machine.N, W = p.cfg.machine.W;
    const std::string all_ones(static_cast<std::size_t>(W), '1');
    const Case cases[] = {
        {"up at cell 0", Keys().up().str(), 0, W, 0},
        {"down at the last cell", Keys().down(N).str(), N - 1, W, 0},
        {"Enter on the last cell: its leftmost digit", Keys().down(N - 1).left(3).enter().str(), N - 1, W, 0},
        {"right beyond digit 1", Keys().right(W + 2).str(), 0, 1, 0},
        {"left beyond digit W", Keys().right(2).left(3).str(), 0, W, 0},
        {"a whole cell typed", all_ones, 0, 1, (1 << W) - 1},
        {"one digit more overwrites digit 1", all_ones + "0", 0, 1, (1 << W) - 2},
        {"the digit already there only moves the cursor", "0", 0, W - 1, 0},
        {"digits 2..9, Cyrillic, Backspace, Tab, Escape, Q, other keys",
         "23456789" + cp866_string("аА") + "\x08\x09\x1bQqxZ" + Keys().ext(KEY_HOME).ext(KEY_F6).str(), 0, W, 0},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(p.name) + ", " + c.name);
      Session s(p.cfg);
      s.keys(c.keys);
      s.run();
      EXPECT_EQ(s.regim(), 1);
      EXPECT_EQ(s.sim.cursor_cell(), c.cell);
      EXPECT_EQ(s.sim.cursor_digit(), c.digit);
      EXPECT_EQ(s.sim.machine().value_of(0), c.cell_value);
      EXPECT_EQ(s.info()[0], "  ЯЧЕЙКА: " + address(p.cfg, c.cell));
    }
  }
}

TEST(Editor, CellShownAsNumberAndInstruction) {
  // Cell 2 holds 001 with A1 = 5, A2 = 6, A3 = 7; cells 5, 6, 7 hold 3, 4, 0.
  for (const Program& p : PROGRAMS) {
    SCOPED_TRACE(p.name);
    const SimulatorConfig& c = p.cfg;
    const std::string gap = c.operand_gap.data();
    Session s(c);
    s.keys(type_program({{2, word_digits(c, 1, 5, 6, 7)}, {5, number_digits(c, 3)}, {6, number_digits(c, 4)}}).str() +
           Keys().up(5).str());
    s.run();
    const int value = c.machine.W == 12 ? 887 : 5479;
    EXPECT_EQ(s.info(), window({"  ЯЧЕЙКА: " + address(c, 2), "", "  ДЕСЯТИЧНОЕ ЧИСЛО:", "        " + std::to_string(value),
                                "", "  КОМАНДА:", "  операция 001", "  A1+A2==>A3", "  операнды, значения",
                                "  A1= " + address(c, 5) + gap + "3", "  A2= " + address(c, 6) + gap + "4",
                                "  A3= " + address(c, 7) + gap + "0"}));
  }
}

TEST(Editor, ShorterValuesWipeLongerOnes) {
  // The decimal value and the operand values shrink from four digits to one.
  for (const Program& p : PROGRAMS) {
    SCOPED_TRACE(p.name);
    const int W = p.cfg.machine.W;
    Session s(p.cfg);
    s.keys("1" + std::string(static_cast<std::size_t>(W - 2), '0') + "1" + Keys().left(W - 1).str() + "0");
    s.run();
    EXPECT_EQ(s.sim.machine().value_of(0), 1);
    const auto rows = s.info();
    EXPECT_EQ(rows[3], "        1");
    EXPECT_EQ(rows[9], "  A1= " + address(p.cfg, 0) + p.cfg.operand_gap.data() + "1");
  }
}

}  // namespace
}  // namespace telun::testing
