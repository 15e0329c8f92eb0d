// The mode-selection menu: drawing, the keys that keep it open, the
// closing key handed back to the editor, and the menu opened in a pause.
#include "tests/simulator/session.h"

namespace telun::testing {
namespace {

// The menu in the information window (the same place relative to the text
// area in both programs).
std::vector<std::string> menu_window() {
  return window({"", "", "     ┌──────────┐", "     │  РЕЖИМ:  │", "     │ РЕДАКТОР │", "     │   ABTO   │",
                 "     │   ШАГ    │", "     │   TAKT   │", "     └──────────┘"});
}

// The mode whose name is highlighted in the menu, 0 for none or several.
int highlighted(const Session& s) {
  int found = 0;
  for (int i = 1; i <= 4; ++i)
    if (s.con.inverse_at(s.cfg.menu_text_column, 10 + i)) found = found ? -1 : i;
  return found < 0 ? 0 : found;
}

TEST(Menu, KeysMoveTheHighlightAndKeepItOpen) {
  struct Step {
    const char* name;
    std::string keys;
    int mode;
  } steps[] = {
      {"up from the editor wraps to TAKT", Keys().up(), 4},
      {"down from TAKT wraps to the editor", Keys().down(), 1},
      {"down", Keys().down(), 2},
      {"down again", Keys().down(), 3},
      {"down to TAKT", Keys().down(), 4},
      {"up", Keys().up(), 3},
      {"a mode letter", "e", 1},
      {"F4", Keys().f(4), 4},
      {"a sign of the set", ":", 4},
      {"F2", Keys().f(2), 1},
      {"F5", Keys().f(5), 1},
  };
  for (const Program& p : PROGRAMS) {
    SCOPED_TRACE(p.name);
    Session s(p.cfg);
    s.keys("R");
    s.then([&] {
      EXPECT_EQ(s.info(), menu_window());
      EXPECT_EQ(highlighted(s), 1);
      s.keys(steps[0].keys);
    });
    const std::size_t count = std::size(steps);
    for (std::size_t i = 0; i < count; ++i) {
      s.then([&, i] {
        SCOPED_TRACE(steps[i].name);
        EXPECT_EQ(s.info(), menu_window());
        EXPECT_EQ(highlighted(s), steps[i].mode);
        EXPECT_EQ(s.regim(), steps[i].mode);
        if (i + 1 < count) s.keys(steps[i + 1].keys);
      });
    }
    s.run();
    EXPECT_FALSE(s.ended);
  }
}

TEST(Menu, TheClosingKeyActsInTheEditor) {
  const SimulatorConfig& c = TELUN;
  struct Case {
    const char* name;
    std::string keys;  // after the program, which leaves the cursor on cell 1
    int regim;         // mode when the session ends
    int cursor_cell, cursor_digit;
    int cell1;         // value of cell 1 afterwards
    const char* window_first_row;
  } cases[] = {
      {"Enter in editor mode: editor layout, then the next cell", "R" + Keys().enter().str(), 1, 2, 12, 0, "  ЯЧЕЙКА: 010"},
      {"1 in editor mode: the digit is stored", "R1", 1, 1, 11, 2048, "  ЯЧЕЙКА: 001"},
      {"0 in editor mode: nothing to store", "R0", 1, 1, 11, 0, "  ЯЧЕЙКА: 001"},
      {"Escape in editor mode: nothing else", "R\x1b", 1, 1, 12, 0, "  ЯЧЕЙКА: 001"},
      {"Enter with AUTO chosen: the run follows the move", Keys().f(5).text("a").enter().str(), 2, 2, 12, 0,
       "  ВЫПОЛНЕНО:"},
      {"F3 closes at once with STEP", "R" + Keys().f(3).str(), 3, 1, 12, 0, "  ВЫПОЛНЕНО:"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    Session s(c);
    s.keys(type_program({{0, word_digits(c, 7, 0, 0, 0)}}).str() + k.keys);
    s.run();  // ends at the editor's next read, or at the stop report
    EXPECT_FALSE(s.ended);
    EXPECT_EQ(s.regim(), k.regim);
    EXPECT_EQ(s.sim.cursor_cell(), k.cursor_cell);
    EXPECT_EQ(s.sim.cursor_digit(), k.cursor_digit);
    EXPECT_EQ(s.sim.machine().value_of(1), k.cell1);
    EXPECT_EQ(s.info()[0], k.window_first_row);
  }
}

TEST(Menu, EditorLayoutComesBackWhenClosedInEditorMode) {
  for (const Program& p : PROGRAMS) {
    SCOPED_TRACE(p.name);
    Session s(p.cfg);
    // One key at a time: a key already waiting in the menu decides whether it stays open.
    s.keys("1r");
    s.then([&] { s.keys(Keys().down()); });
    s.then([&] { s.keys(Keys().up()); });
    s.then([&] { s.keys(" "); });
    s.run();
    const int top = (p.cfg.machine.max_value() + 1) / 2;
    const std::string gap = p.cfg.operand_gap.data();
    const std::string a0 = address(p.cfg, 0);
    EXPECT_EQ(s.info(),
              window({"  ЯЧЕЙКА: " + a0, "", "  ДЕСЯТИЧНОЕ ЧИСЛО:", "        " + std::to_string(top), "", "  КОМАНДА:",
                      "  операция 100", "  при A1=A2 к A3", "  операнды, значения",
                      "  A1= " + a0 + gap + std::to_string(top), "  A2= " + a0 + gap + std::to_string(top),
                      "  A3= " + a0 + gap + std::to_string(top)}));
    EXPECT_EQ(s.indicator(), "РЕДАКТОР");
  }
}

TEST(Menu, OpenedInAStepPauseAndClosedInTakt) {
  for (const Program& p : PROGRAMS) {
    SCOPED_TRACE(p.name);
    const SimulatorConfig& c = p.cfg;
    Session s(c);
    s.keys(type_program({{0, word_digits(c, 0, 5, 0, 6)}, {1, word_digits(c, 7, 5, 6, 7)}}).str() + "S");
    s.then([&] { s.keys(Keys().f(5)); });
    s.then([&] {
      EXPECT_EQ(s.info(), menu_window());
      EXPECT_EQ(highlighted(s), 3);
      s.keys("t ");
    });
    s.then([&] {  // the run layout came back; the next instruction is commented
      EXPECT_EQ(s.indicator(), "  TAKT  ");
      EXPECT_EQ(s.info()[2], "  Такт 1");
      EXPECT_EQ(s.info()[8], " ячейки " + address(c, 1) + " в РК");
    });
    s.run();
  }
}

}  // namespace
}  // namespace telun::testing
