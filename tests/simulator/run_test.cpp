// Runs in AUTO and STEP mode, their stops and reports, and the end of the
// program, in both simulators. Programs are typed digit by digit.
#include "tests/simulator/session.h"

namespace telun::testing {
namespace {

// cell 0: (7) := (5) + (6); cell 1: show (5), (6), (7) and stop; (5) = 3, (6) = 4.
Keys addition_program(const SimulatorConfig& cfg) {
  return type_program({{0, word_digits(cfg, 1, 5, 6, 7)},
                       {1, word_digits(cfg, 7, 5, 6, 7)},
                       {5, number_digits(cfg, 3)},
                       {6, number_digits(cfg, 4)}});
}

std::vector<std::string> report(const std::string& pcstr, const std::string& text,
                                 const std::string& errors = "HET") {
  return run_window(pcstr, "", {" " + text}, errors);
}

TEST(Run, AdditionThenStopInAuto) {
  for (const Program& p : PROGRAMS) {
    for (const Keys& mode : {Keys().text("A"), Keys().f(1)}) {
      SCOPED_TRACE(std::string(p.name) + (mode.str() == "A" ? " A" : " F1"));
      Session s(p.cfg);
      s.keys(addition_program(p.cfg).str() + mode.str());
      s.then([&] {
        EXPECT_EQ(s.info(), report(address(p.cfg, 1), "КОМАНДА СТОП"));
        EXPECT_EQ(output_lines(s.con, p.cfg),
                  (std::vector<std::string>{output_line(p.cfg, 3), output_line(p.cfg, 4), output_line(p.cfg, 7)}));
        EXPECT_EQ(s.indicator(), "  ABTO  ");
        s.keys("Q");
      });
      s.run();
      EXPECT_TRUE(s.ended);
      EXPECT_EQ(s.sim.machine().value_of(7), 7);
      EXPECT_EQ(s.con.column(), 1);
      EXPECT_EQ(s.con.row(), 1);
    }
  }
}

TEST(Run, AdditionThenStopInStep) {
  for (const Program& p : PROGRAMS) {
    SCOPED_TRACE(p.name);
    const std::string gap = p.cfg.operand_gap.data();
    Session s(p.cfg);
    s.keys(addition_program(p.cfg).str() + "S");
    s.then([&] {  // the pause after the addition: its analysis, the result in A3
      auto rows = run_window(address(p.cfg, 0));
      rows[6] = window({"  операция 001"})[0];
      rows[7] = window({"  A1+A2==>A3"})[0];
      rows[8] = window({"  операнды, значения"})[0];
      rows[9] = window({"  A1= " + address(p.cfg, 5) + gap + "3"})[0];
      rows[10] = window({"  A2= " + address(p.cfg, 6) + gap + "4"})[0];
      rows[11] = window({"  A3= " + address(p.cfg, 7) + gap + "7"})[0];
      EXPECT_EQ(s.info(), rows);
      EXPECT_EQ(s.indicator(), "  ШАГ   ");
      EXPECT_EQ(output_lines(s.con, p.cfg), (std::vector<std::string>{"", "", ""}));
      s.keys(" ");
    });
    s.then([&] {
      EXPECT_EQ(s.info(), report(address(p.cfg, 1), "КОМАНДА СТОП"));
      EXPECT_EQ(output_lines(s.con, p.cfg)[2], output_line(p.cfg, 7));
      s.keys("Q");
    });
    s.run();
    EXPECT_TRUE(s.ended);
  }
}

TEST(Run, EndlessLoopEndedByAKey) {
  // An empty memory is a program too: every cell copies cell 0 into cell 0,
  // and PC wraps from the last cell to cell 0 until a key is pressed.
  for (const Program& p : PROGRAMS) {
    SCOPED_TRACE(p.name);
    Session s(p.cfg);
    const int instructions = 1000;
    s.keys("A");
    s.con.keys_after_polls(instructions, "S");  // a mode letter, which only stops the run
    s.then([&] {
      const int last = (instructions - 1) % p.cfg.machine.N;
      EXPECT_EQ(s.info(), report(address(p.cfg, last), "СТОП ПО КЛАВИАТУРЕ"));
      EXPECT_EQ(s.indicator(), "  ABTO  ");
      EXPECT_EQ(s.sim.machine().PC10, instructions % p.cfg.machine.N);
      s.keys("Q");
    });
    s.run();
    EXPECT_TRUE(s.ended);
  }
}

TEST(Run, RunTimeErrorsReportedWithABell) {
  struct Case {
    const char* name;
    int kop, x, y;
    const char* message;
    int sm;  // value left in SM
  };
  for (const Program& p : PROGRAMS) {
    const int max = p.cfg.machine.max_value();
    const Case cases[] = {
        {"overflow of an addition", 1, max, 1, "ПЕРЕПОЛНЕНИЕ !!! ", 0},
        {"overflow of a product (65 * 2^W/64)", 5, 65, (max + 1) / 64, "ПЕРЕПОЛНЕНИЕ !!! ", (max + 1) / 64},
        {"division by zero", 2, 7, 0, "ДЕЛЕНИЕ НА НОЛЬ !!!", 0},
    };
    for (const Case& c : cases) {
      for (const char* mode : {"A", "S", "T"}) {
        SCOPED_TRACE(std::string(p.name) + ", " + c.name + ", mode " + mode);
        Session s(p.cfg);
        s.keys(type_program({{0, word_digits(p.cfg, c.kop, 5, 6, 7)},
                             {5, number_digits(p.cfg, c.x)},
                             {6, number_digits(p.cfg, c.y)},
                             {7, number_digits(p.cfg, 5)}})
                   .str() +
               mode);
        if (std::string(mode) == "T")  // phases 1 to 3 pause; phase 4 goes straight to the report
          for (int pause = 0; pause < 3; ++pause) s.then([&] { s.keys(" "); });
        s.then([&] {
          EXPECT_EQ(s.info(), report(address(p.cfg, 0), "ОШИБКА ПРИ СЧЕТЕ!!!", c.message));
          EXPECT_EQ(s.con.bells(), 1);
          s.keys("Q");
        });
        s.run();
        EXPECT_TRUE(s.ended);
        const Machine& m = s.sim.machine();
        EXPECT_EQ(m.value_of(7), 5) << "A3 unchanged";
        int sm = 0;
        for (int i = m.W(); i >= 1; --i) sm = sm * 2 + m.SM[i];
        EXPECT_EQ(sm, c.sm);
        EXPECT_EQ(m.PC10, 1);
      }
    }
  }
}

TEST(Run, OnlyACapitalQAnsweringAReportEndsTheProgram) {
  struct Case {
    const char* answer;
    bool ends;
  } cases[] = {{"Q", true}, {"q", false}, {" ", false}, {"A", false}};
  for (const Program& p : PROGRAMS) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(p.name) + " answer '" + c.answer + "'");
      Session s(p.cfg);
      s.keys(type_program({{0, word_digits(p.cfg, 7, 0, 0, 0)}}).str() + "Q" + "A");  // "Q" in the editor: nothing
      s.then([&] {
        EXPECT_EQ(s.info(), report(address(p.cfg, 0), "КОМАНДА СТОП"));
        s.keys(c.answer);
      });
      s.run();
      EXPECT_EQ(s.ended, c.ends);
      if (!c.ends) {  // back in the editor, whatever the key
        EXPECT_EQ(s.regim(), 1);
        EXPECT_EQ(s.indicator(), "РЕДАКТОР");
        EXPECT_EQ(s.info()[0], window({"  ЯЧЕЙКА: " + address(p.cfg, 1)})[0]);
      }
    }
  }
}

TEST(Run, QInTheEditorIsIgnored) {
  for (const Program& p : PROGRAMS) {
    SCOPED_TRACE(p.name);
    Session s(p.cfg);
    s.keys("QQ1");
    s.run();
    EXPECT_FALSE(s.ended);
    EXPECT_EQ(s.regim(), 1);
    EXPECT_EQ(s.sim.machine().value_of(0), (p.cfg.machine.max_value() + 1) / 2) << "the editor went on";
  }
}

TEST(Run, EditorKeyInAStepPauseReturnsWithoutReport) {
  struct Case {
    const char* name;
    std::string keys;
  } cases[] = {{"E", "E"}, {"e", "e"}, {"F2", Keys().f(2)}, {"E with a Q typed ahead", "EQ"}};
  for (const Program& p : PROGRAMS) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(p.name) + " " + c.name);
      Session s(p.cfg);
      s.keys(addition_program(p.cfg).str() + "S");
      s.then([&] { s.keys(c.keys); });
      s.then([&] {  // the editor's first read
        EXPECT_EQ(s.regim(), 1);
        EXPECT_EQ(s.indicator(), "РЕДАКТОР");
        EXPECT_EQ(s.info()[0], window({"  ЯЧЕЙКА: " + address(p.cfg, 7)})[0]);
        EXPECT_EQ(output_lines(s.con, p.cfg), (std::vector<std::string>{"", "", ""}));
      });
      s.run();
      EXPECT_FALSE(s.ended);
      EXPECT_EQ(s.sim.machine().value_of(7), 7) << "the addition was done";
    }
  }
}

}  // namespace
}  // namespace telun::testing
