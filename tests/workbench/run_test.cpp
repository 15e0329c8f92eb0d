// Runs of the compiled program: automatic with F1 or Escape, step by step
// with F3 and its pause, the reports of a run-time error and of a key that
// stopped the run, "q" and "Q", the memory kept from one run to the next,
// and the editor taking up again where the pupil left it.
#include "tests/workbench/session.h"

namespace telun::testing {
namespace {

using Lines = std::vector<std::string>;

const Lines SUM_OUTPUT = {"I = 000 0000 0000 0101 = 5", "S = 000 0000 0000 1111 = 15",
                          "N = 000 0000 0000 0101 = 5"};

Lines output(const Session& s) { return {s.box(21), s.box(22), s.box(23)}; }

bool any_cell_inverse(const Session& s) {
  for (int cell = 0; cell < 16; ++cell)
    if (s.con.inverse_at(8, 4 + cell)) return true;
  return false;
}

// At each pause of a step-by-step run, checks the instruction just run and
// presses key(pause number); counts the pauses. Once back in the editor the
// checkpoint chain stops.
struct Stepper {
  Session& s;
  std::function<std::string(int)> key;
  int pauses = 0;
  void next() {
    s.then([this] {
      if (s.regim() != 3) return;  // back in the editor
      ++pauses;
      const Machine& m = s.wb.machine();
      EXPECT_EQ(s.indicator(), "ИСПОЛНЕНИЕ (ШАГ) ");
      EXPECT_GE(m.HILITE, 0);
      if (m.HILITE >= 0) {
        EXPECT_TRUE(s.con.inverse_at(8, 4 + m.HILITE)) << "the cell of the instruction just run";
        EXPECT_EQ(std::stoi(m.PCSTR, nullptr, 2), m.HILITE);
      }
      s.keys(key(pauses));
      next();
    });
  }
};

TEST(WorkbenchRuns, SumRunsAutomaticallyWithF1OrEscape) {
  // The compile driver shows the mode in force before it again: after
  // Escape that is still the editor's.
  const std::pair<std::string, Lines> keys[] = {
      {Keys().f(1), {"КОМПИЛЯЦИЯ", "ИСПОЛНЕНИЕ (АВТО)", "ИСПОЛНЕНИЕ (АВТО)", "РЕДАКТОР"}},
      {Keys().esc(), {"КОМПИЛЯЦИЯ", "РЕДАКТОР", "ИСПОЛНЕНИЕ (АВТО)", "РЕДАКТОР"}},
  };
  for (const auto& [key, shown] : keys) {
    SCOPED_TRACE(key == Keys().esc().str() ? "Escape" : "F1");
    Session s;
    std::vector<std::string>& modes = s.log_modes();
    s.keys(type_sum());
    s.then([&] {
      s.forget_modes();
      s.keys(key);
    });
    s.then([&] {
      EXPECT_EQ(output(s), SUM_OUTPUT);
      EXPECT_EQ(modes, shown);
      EXPECT_FALSE(any_cell_inverse(s)) << "the run shows the memory in normal video";
      EXPECT_EQ(s.position(), (std::pair{6, 20})) << "where the pupil left the editor";
      EXPECT_EQ(s.cursor(), s.position());
      EXPECT_EQ(s.regim(), 1);
      s.keys("x");
    });
    s.run();
    EXPECT_EQ(s.line(6), "WRITELN(I,S,N);HALTx");
    EXPECT_FALSE(s.ended);
    EXPECT_EQ(s.con.bells(), 0);
  }
}

TEST(WorkbenchRuns, SumStepByStep) {
  // Every kind of key lets the next instruction run; the output is the
  // automatic run's.
  const std::string keys[] = {Keys().f(3), Keys().f(1), "x", "\r", Keys().up(), Keys().f(5), "Q"};
  Session s;
  s.keys(type_sum() + Keys().f(3).str());
  Stepper step{s, [&](int n) { return keys[static_cast<std::size_t>(n) % std::size(keys)]; }};
  step.next();
  s.run();
  EXPECT_GT(step.pauses, 10);
  EXPECT_EQ(output(s), SUM_OUTPUT);
  EXPECT_EQ(s.page(), SUM_PAGE) << "the keys of the pauses do not reach the editor";
  EXPECT_EQ(s.position(), (std::pair{6, 20}));
  EXPECT_EQ(s.regim(), 1);
  EXPECT_EQ(s.ended, step.pauses % 7 == 6) << "Q in the last pause ends the program";
}

TEST(WorkbenchRuns, QInTheLastPauseEndsTheProgram) {
  Session first;
  first.keys(type_sum() + Keys().f(3).str());
  Stepper count{first, [](int) { return Keys().f(3).str(); }};
  count.next();
  first.run();
  ASSERT_GT(count.pauses, 1);
  // PgDn arrives as the prefix and the code of "Q": it is no "Q".
  const std::string pgdn = Keys().ext(KEY_PGDN).str();
  for (const std::string& last : {std::string("Q"), std::string("q"), pgdn}) {
    SCOPED_TRACE(last == pgdn ? "PgDn" : last);
    Session s;
    s.keys(type_sum() + Keys().f(3).str());
    Stepper step{s, [&](int n) { return n == count.pauses ? last : Keys().f(3).str(); }};
    step.next();
    s.run();
    EXPECT_EQ(output(s), SUM_OUTPUT);
    EXPECT_EQ(s.ended, last == "Q");
  }
}

TEST(WorkbenchRuns, PauseKeysF2AndKeysTypedAhead) {
  struct Case {
    const char* name;
    std::string third_pause;  // the keys of the third pause
    Lines report;
    int pauses;  // in all
  };
  const Case cases[] = {
      {"F2 ends the run silently", Keys().f(2).text("zz"), {"", "", ""}, 3},
      {"a third key still waiting stops the run", "abczz", {" СТОП ПО КЛАВИАТУРЕ", "", ""}, 3},
      {"F1 and a key waiting after it stop the run", Keys().f(1).text("azz"), {" СТОП ПО КЛАВИАТУРЕ", "", ""}, 3},
      {"two plain keys let one instruction run", "ab", SUM_OUTPUT, 0},
  };
  int all_pauses = 0;
  {
    Session s;
    s.keys(type_sum() + Keys().f(3).str());
    Stepper step{s, [](int) { return Keys().f(3).str(); }};
    step.next();
    s.run();
    all_pauses = step.pauses;
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    s.keys(type_sum() + Keys().f(3).str());
    Stepper step{s, [&](int n) { return n == 3 ? c.third_pause : Keys().f(3).str(); }};
    step.next();
    s.run();
    EXPECT_EQ(output(s), c.report);
    EXPECT_EQ(step.pauses, c.pauses ? c.pauses : all_pauses);
    EXPECT_EQ(s.regim(), 1);
    EXPECT_EQ(s.page(), SUM_PAGE) << "keys typed ahead are lost";
    EXPECT_EQ(s.position(), (std::pair{6, 20}));
    EXPECT_EQ(s.cursor(), s.position());
    EXPECT_FALSE(any_cell_inverse(s));
  }
}

const Lines ERROR_HEAD = {"PROGRAM D;", "VAR A,B,C:INTEGER;", "BEGIN"};

Lines program(Lines body) {
  Lines p = ERROR_HEAD;
  p.insert(p.end(), body.begin(), body.end());
  p.push_back("WRITELN(A,B,C);HALT");
  p.push_back("END.");
  return p;
}

TEST(WorkbenchRuns, RunTimeErrors) {
  // The instruction of cell 3 fails.
  struct Case {
    const char* name;
    Lines page;
    std::string report;
  };
  const Case cases[] = {
      {"division by zero", program({"A:=1;", "B:=0;", "C:=A;", "C:=A DIV B;"}), "команда 0011, ДЕЛЕНИЕ НА 0!!!"},
      {"overflow", program({"A:=32767;", "B:=0;", "C:=A;", "C:=A+A;"}), "команда 0011, ПЕРЕПОЛНЕНИЕ!!!"},
  };
  for (const Case& c : cases) {
    for (const std::string& key : {Keys().f(1).str(), Keys().f(3).str()}) {
      SCOPED_TRACE(std::string(c.name) + (key == Keys().f(1).str() ? ", F1" : ", F3"));
      Session s;
      int bells = 0;
      s.then([&] {
        s.put_page(c.page);
        s.keys(Keys().down(2).right(4).str() + key);
        bells = s.con.bells();
      });
      Stepper step{s, [](int) { return Keys().f(3).str(); }};
      step.next();
      s.run();
      EXPECT_EQ(s.box(21), " Ошибка при исполнении:");
      EXPECT_EQ(s.box(22), c.report);
      EXPECT_EQ(s.con.bells() - bells, 1);
      EXPECT_EQ(step.pauses, key == Keys().f(3).str() ? 3 : 0);
      EXPECT_EQ(s.position(), (std::pair{3, 5}));
      EXPECT_EQ(s.regim(), 1);
    }
  }
}

TEST(WorkbenchRuns, EndlessLoopStoppedByAKey) {
  struct Case {
    const char* name;
    std::string key;
    bool ends;
  };
  const Case cases[] = {
      {"q: back to the editor", "q", false},
      {"Q: the program ends", "Q", true},
      {"F2 is an ordinary key here", Keys().f(2), false},
      {"Escape", Keys().esc(), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    s.then([&] {
      s.put_page(program({"WHILE A=A DO B:=A;"}));
      s.con.keys_after_polls(500, c.key);
      s.keys(Keys().down(4).f(1));
    });
    bool back_in_editor = false;
    s.then([&] {
      back_in_editor = true;
      EXPECT_EQ(s.regim(), 1);
      EXPECT_EQ(s.position(), (std::pair{5, 1}));
      EXPECT_EQ(s.cursor(), s.position());
      EXPECT_EQ(s.page(), program({"WHILE A=A DO B:=A;"})) << "the stopping key is no text";
    });
    s.run();
    EXPECT_GE(s.con.empty_polls, 500);
    EXPECT_EQ(s.box(21), " СТОП ПО КЛАВИАТУРЕ");
    EXPECT_EQ(s.ended, c.ends);
    EXPECT_EQ(back_in_editor, !c.ends);
    if (c.ends) {
      EXPECT_EQ(s.con.column(), 1);
      EXPECT_EQ(s.con.row(), 1);
    }
  }
}

TEST(WorkbenchRuns, EachRunStartsFromTheMemoryTheLastOneLeft) {
  // A:=A+1 counts the runs: the second F1 does not compile again, an edit
  // compiles again, and neither resets the variables.
  Session s;
  std::vector<std::string>& modes = s.log_modes();
  s.then([&] {
    s.put_page(program({"A:=A+1;"}));
    s.keys(Keys().down(3).f(1));
  });
  s.then([&] {
    EXPECT_EQ(s.box(21), "A = 000 0000 0000 0001 = 1");
    modes.clear();
    s.keys(Keys().f(1));
  });
  s.then([&] {
    EXPECT_EQ(s.box(21), "A = 000 0000 0000 0010 = 2");
    EXPECT_EQ(modes, (Lines{"ИСПОЛНЕНИЕ (АВТО)", "РЕДАКТОР"})) << "no compilation";
    modes.clear();
    s.keys(Keys().text(" ").esc());
  });
  s.run();
  ASSERT_FALSE(modes.empty());
  EXPECT_EQ(modes[0], "КОМПИЛЯЦИЯ");
  EXPECT_EQ(s.box(21), "A = 000 0000 0000 0011 = 3");
  EXPECT_EQ(s.line(4), " A:=A+1;");
  EXPECT_EQ(s.position(), (std::pair{4, 2}));
}

}  // namespace
}  // namespace telun::testing
