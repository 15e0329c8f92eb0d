// TAKT mode: the information window at every pause of each kind of
// instruction, and mode keys pressed in the pauses.
#include "tests/simulator/session.h"

namespace telun::testing {
namespace {

std::vector<std::string> fetch_window(const SimulatorConfig& cfg, int cell) {
  return run_window(address(cfg, cell), "Такт 1",
                    {"Выборка команды из", "ячейки " + address(cfg, cell) + utf8_string(cfg.into_rk)});
}

std::vector<std::string> advance_window(const SimulatorConfig& cfg, int cell) {
  return run_window(address(cfg, cell), "Такт 2",
                    {"Увеличение CK на 1", "(подготовка к выбор-", "ке следующей коман-", "ды)"});
}

std::vector<std::string> load_window(const SimulatorConfig& cfg, int cell, int a1) {
  return run_window(address(cfg, cell), "Такт 3", {"1-е число из ячейки", address(cfg, a1) + " в CM"});
}

// One pause of a TAKT run: the window, and what the machine shows then.
struct Pause {
  std::string what;
  std::vector<std::string> window;
  int output_lines = 0;  // lines already on the machine screen
  int cell7 = -1;        // value of cell 7, when it matters
};

// Answers every pause with a blank after comparing the window, then "Q"
// at the report.
void expect_pauses(Session& s, const std::vector<Pause>& pauses, const std::vector<std::string>& report) {
  for (const Pause& p : pauses) {
    s.then([&s, &p] {
      SCOPED_TRACE(p.what);
      EXPECT_EQ(s.info(), p.window);
      EXPECT_EQ(s.indicator(), "  TAKT  ");
      const auto lines = output_lines(s.con, s.cfg);
      for (int j = 0; j < 3; ++j) EXPECT_EQ(lines[static_cast<std::size_t>(j)].empty(), j >= p.output_lines) << "line " << j + 1;
      if (p.cell7 >= 0) {
        EXPECT_EQ(s.sim.machine().value_of(7), p.cell7);
      }
      expect_panel_agrees(s.con, s.sim);
      s.keys(" ");
    });
  }
  s.then([&s, report] {
    EXPECT_EQ(s.info(), report);
    s.keys("Q");
  });
}

TEST(Commentary, AdditionAndStopPhaseByPhase) {
  for (const Program& p : PROGRAMS) {
    SCOPED_TRACE(p.name);
    const SimulatorConfig& c = p.cfg;
    Session s(c);
    s.keys(type_program({{0, word_digits(c, 1, 5, 6, 7)},
                         {1, word_digits(c, 7, 5, 6, 7)},
                         {5, number_digits(c, 3)},
                         {6, number_digits(c, 4)}})
               .str() +
           "T");
    const std::string out1 = address(c, 1);
    auto output = [&](int j) {
      return run_window(out1, "Такт " + std::to_string(j + 2), {"Вывод " + std::to_string(j) + "-го числа", "на дисплей"});
    };
    const std::vector<Pause> pauses = {
        {"add: fetch", fetch_window(c, 0), 0, 0},
        {"add: advance", advance_window(c, 0), 0, 0},
        {"add: first number", load_window(c, 0, 5), 0, 0},
        {"add: second number",
         run_window(address(c, 0), "Такт 4", {"CM + 2-е число из", "ячейки " + address(c, 6) + " в CM"}), 0, 0},
        {"add: result stored", run_window(address(c, 0), "Такт 5", {"Результат в ячейку ", address(c, 7)}), 0, 7},
        {"stop: fetch", fetch_window(c, 1), 0, 7},
        {"stop: advance", advance_window(c, 1), 0, 7},
        {"stop: first line", output(1), 1},
        {"stop: second line", output(2), 2},
        {"stop: third line", output(3), 3},
    };
    expect_pauses(s, pauses, run_window(out1, "", {" КОМАНДА СТОП"}));
    s.run();
    EXPECT_TRUE(s.ended);
    EXPECT_EQ(output_lines(s.con, c),
              (std::vector<std::string>{output_line(c, 3), output_line(c, 4), output_line(c, 7)}));
  }
}

TEST(Commentary, TransferStoresWithItsPhaseFourText) {
  // 000 001 010 011: cell 3 := cell 1, in cell 0; cell 1 holds 5.
  const SimulatorConfig& c = TELUN;
  Session s(c);
  s.keys(type_program({{0, "000 001 010 011"}, {1, number_digits(c, 5)}}).str() + "T");
  const std::vector<Pause> pauses = {
      {"fetch", fetch_window(c, 0)},
      {"advance", advance_window(c, 0)},
      {"first number", load_window(c, 0, 1)},
      {"store", run_window("000", "Такт 4", {"Запись CM в ячейку ", "011"})},
  };
  for (const Pause& p : pauses) s.then([&s, &p] {
      SCOPED_TRACE(p.what);
      EXPECT_EQ(s.info(), p.window);
      s.keys(" ");
    });
  s.then([&] { EXPECT_EQ(s.info(), fetch_window(c, 1)); });  // the next instruction begins
  s.run();
  EXPECT_EQ(s.sim.machine().value_of(3), 5);
}

TEST(Commentary, ConditionalJumpTakenAndNotTaken) {
  struct Case {
    const char* name;
    int kop, x, y;
    std::vector<std::string> outcome;  // rows 14 and 15 of phase 5
    int pc;
  };
  for (const Program& p : PROGRAMS) {
    const SimulatorConfig& c = p.cfg;
    const Case cases[] = {
        {"equal, BEQ jumps", 4, 2, 2, {"Условие выполнено.", "Переход к ячейке " + address(c, 3)}, 3},
        {"unequal, BEQ goes on", 4, 2, 3, {"Условие не выполнено", "Перехода нет."}, 1},
        {"greater, BPL jumps", 6, 3, 2, {"Условие выполнено.", "Переход к ячейке " + address(c, 3)}, 3},
        {"equal, BPL goes on", 6, 2, 2, {"Условие не выполнено", "Перехода нет."}, 1},
    };
    for (const Case& k : cases) {
      SCOPED_TRACE(std::string(p.name) + ", " + k.name);
      Session s(c);
      s.keys(type_program({{0, word_digits(c, k.kop, 5, 6, 3)}, {5, number_digits(c, k.x)}, {6, number_digits(c, k.y)}})
                 .str() +
             "T");
      for (int pause = 0; pause < 3; ++pause) s.then([&] { s.keys(" "); });
      s.then([&] {
        EXPECT_EQ(s.info(), run_window(address(c, 0), "Такт 4", {"Сравнить СМ и ячейку", address(c, 6)}));
        EXPECT_EQ(s.sim.machine().PC10, 1) << "no jump before phase 5";
        s.keys(" ");
      });
      s.then([&] {
        EXPECT_EQ(s.info(), run_window(address(c, 0), "Такт 5", k.outcome));
        EXPECT_EQ(s.sim.machine().PC10, k.pc);
      });
      s.run();
    }
  }
}

TEST(Commentary, JumpTargetLeavesNothingBehindInTheWindow) {
  // The jump's phase-5 line is the longest text of the window; in telunm it
  // reaches one column past the cleared text area. Back in the editor right
  // after it, the editor layout must be clean up to the frame.
  for (const Program& p : PROGRAMS) {
    SCOPED_TRACE(p.name);
    const SimulatorConfig& c = p.cfg;
    Session s(c);
    s.keys(type_program({{0, word_digits(c, 4, 5, 5, 3)}}).str() + "T");
    for (int pause = 0; pause < 4; ++pause) s.then([&] { s.keys(" "); });
    s.then([&] {
      EXPECT_EQ(s.info()[8], " Переход к ячейке " + address(c, 3));
      s.keys("E");
    });
    s.run();
    EXPECT_EQ(s.regim(), 1);
    EXPECT_EQ(s.info()[8], "  операнды, значения");
  }
}

TEST(Commentary, EditorKeyInAPauseOfTheStopInstruction) {
  // HLT 5, 6, 7 in cell 0; the editor key at one of its five pauses.
  struct Case {
    const char* name;
    int pauses_before;  // pauses answered with a blank first
    std::string key;
    int lines;          // output lines written
  } cases[] = {
      {"E after the fetch", 0, "E", 0},
      {"F2 after the advance", 1, Keys().f(2), 0},
      {"e after the first line", 2, "e", 1},
      {"E after the second line", 3, "E", 2},
  };
  for (const Program& p : PROGRAMS) {
    for (const Case& k : cases) {
      SCOPED_TRACE(std::string(p.name) + ", " + k.name);
      Session s(p.cfg);
      s.keys(type_program({{0, word_digits(p.cfg, 7, 5, 6, 7)}}).str() + "T");
      for (int pause = 0; pause < k.pauses_before; ++pause) s.then([&] { s.keys(" "); });
      s.then([&] { s.keys(k.key); });
      s.then([&] {  // straight back in the editor, no report
        EXPECT_EQ(s.regim(), 1);
        EXPECT_EQ(s.info()[0], window({"  ЯЧЕЙКА: " + address(p.cfg, 1)})[0]);
        const auto lines = output_lines(s.con, p.cfg);
        for (int j = 0; j < 3; ++j) EXPECT_EQ(lines[static_cast<std::size_t>(j)].empty(), j >= k.lines) << "line " << j + 1;
        EXPECT_TRUE(s.sim.machine().STOPFLAG);
      });
      s.run();
      EXPECT_FALSE(s.ended);
    }
  }
}

TEST(Commentary, SwitchingBetweenTaktAndStepInAPause) {
  // In the first pause of the addition TAKT becomes STEP: the rest of it runs
  // silently and is followed by the STEP analysis; in that pause STEP becomes
  // TAKT again and the stop instruction is commented phase by phase.
  for (const Program& p : PROGRAMS) {
    SCOPED_TRACE(p.name);
    const SimulatorConfig& c = p.cfg;
    const std::string gap = c.operand_gap.data();
    Session s(c);
    s.keys(type_program({{0, word_digits(c, 1, 5, 6, 7)},
                         {1, word_digits(c, 7, 5, 6, 7)},
                         {5, number_digits(c, 3)},
                         {6, number_digits(c, 4)}})
               .str() +
           "T");
    s.then([&] { s.keys("S"); });
    s.then([&] {
      EXPECT_EQ(s.indicator(), "  ШАГ   ");
      EXPECT_EQ(s.info(), window({"  ВЫПОЛНЕНО:", "  Команда " + address(c, 0), "", "  ОШИБКИ:", "  HET", "  КОММЕНТАРИИ:",
                                  "  операция 001", "  A1+A2==>A3", "  операнды, значения",
                                  "  A1= " + address(c, 5) + gap + "3", "  A2= " + address(c, 6) + gap + "4",
                                  "  A3= " + address(c, 7) + gap + "7"}));
      s.keys(Keys().f(4));
    });
    s.then([&] {
      EXPECT_EQ(s.indicator(), "  TAKT  ");
      EXPECT_EQ(s.info(), fetch_window(c, 1));
    });
    s.run();
  }
}

}  // namespace
}  // namespace telun::testing
