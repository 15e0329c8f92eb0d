// Compiled programs run on the machine and give the right results.

#include <map>

#include "tests/compiler/compiler_fixture.h"

namespace telun {
namespace {

// Compiles a program with the given variables and body, gives the variables
// their start values, and runs it from cell 0 until it stops.
struct CompiledRun {
  CompilerBench b;
  bool stopped = false;

  CompiledRun(const char* vars, std::initializer_list<std::string_view> lines, const std::map<char, int>& start) {
    b.page(views(program(vars, lines)));
    if (!b.compile()) {
      ADD_FAILURE() << "compilation failed: " << b.message() << " at " << b.src.FIXROW << "," << b.src.FIXCOL;
      return;
    }
    for (auto [name, value] : start) b.m.set_cell(b.c.VARADR[static_cast<std::size_t>(name - 'A')], value);
    Machine& m = b.m;
    m.REGIM = 2;
    m.reset_pc();
    m.STOPFLAG = false;
    m.ERRMSG.clear();
    for (int step = 0; step < 100000 && !m.STOPFLAG; ++step) {
      m.KOMANDA();
      m.HILITE = -1;
    }
    stopped = m.STOPFLAG && m.ERRMSG.empty();
  }
  int operator[](char name) const { return b.m.value_of(b.c.VARADR[static_cast<std::size_t>(name - 'A')]); }
};

TEST(Runs, SumOneToN) {
  for (int n : {0, 1, 2, 5, 100, 255}) {
    SCOPED_TRACE(n);
    CompiledRun r("I,S,N", {"S:=0;", "FOR I:=1 TO N DO S:=S+I;", "WRITELN(I,S,N);HALT"}, {{'N', n}});
    ASSERT_TRUE(r.stopped);
    EXPECT_EQ(r['S'], n * (n + 1) / 2);
    EXPECT_EQ(r['I'], n == 0 ? 1 : n);  // the body is skipped when N = 0; I keeps its start value
  }
}

TEST(Runs, SumShowsItsOutputLines) {
  CompiledRun r("I,S,N", {"S:=0;", "FOR I:=1 TO N DO S:=S+I;", "WRITELN(I,S,N);HALT"}, {{'N', 10}});
  ASSERT_TRUE(r.stopped);
  EXPECT_EQ(r.b.con.text_at(49, 21, 27), "I = 000 0000 0000 1010 = 10");
  EXPECT_EQ(r.b.con.text_at(49, 22, 27), "S = 000 0000 0011 0111 = 55");
  EXPECT_EQ(r.b.con.text_at(49, 23, 27), "N = 000 0000 0000 1010 = 10");
}

TEST(Runs, IfElseBothWaysForEveryRelation) {
  struct Case {
    const char* condition;
    bool (*holds)(int, int);
  };
  const Case relations[] = {
      {"IF A=B THEN", [](int a, int b) { return a == b; }},  {"IF A<>B THEN", [](int a, int b) { return a != b; }},
      {"IF A>B THEN", [](int a, int b) { return a > b; }},   {"IF A<=B THEN", [](int a, int b) { return a <= b; }},
      {"IF A<B THEN", [](int a, int b) { return a < b; }},   {"IF A>=B THEN", [](int a, int b) { return a >= b; }},
      {"IF A+1=B*2 THEN", [](int a, int b) { return a + 1 == b * 2; }},
      {"IF A-B<B DIV 2 THEN", [](int a, int b) { return (a > b ? a - b : b - a) < b / 2; }},
  };
  const std::pair<int, int> values[] = {{3, 5}, {5, 3}, {4, 4}, {1, 1}, {7, 4}};
  for (const Case& k : relations)
    for (auto [a, b] : values) {
      SCOPED_TRACE(std::string(k.condition) + " with A=" + std::to_string(a) + ", B=" + std::to_string(b));
      CompiledRun r("A,B,C", {k.condition, "C:=A ELSE C:=B;", "WRITELN(A,B,C);HALT"}, {{'A', a}, {'B', b}});
      ASSERT_TRUE(r.stopped);
      EXPECT_EQ(r['C'], k.holds(a, b) ? a : b);
    }
}

TEST(Runs, IfWithoutElseAndWithBlocks) {
  for (auto [a, b] : {std::pair{9, 2}, std::pair{2, 9}}) {
    SCOPED_TRACE(a);
    CompiledRun r("A,B,C,D", {"IF A>B THEN BEGIN C:=A;", "D:=B END", "ELSE BEGIN C:=B; D:=A END;", "WRITELN(A,C,D);HALT"},
          {{'A', a}, {'B', b}});
    ASSERT_TRUE(r.stopped);
    EXPECT_EQ(r['C'], std::max(a, b));
    EXPECT_EQ(r['D'], std::min(a, b));
  }
}

TEST(Runs, WhileLoops) {
  struct Case {
    int a, b, passes;
  };
  for (const Case& k : {Case{2, 7, 5}, Case{9, 3, 0}, Case{3, 3, 0}, Case{0, 1, 1}}) {
    SCOPED_TRACE(std::to_string(k.a) + " " + std::to_string(k.b));
    CompiledRun r("A,B,C", {"WHILE A<B DO BEGIN A:=A+1;", "C:=C+1 END;", "WRITELN(A,B,C);HALT"},
          {{'A', k.a}, {'B', k.b}, {'C', 0}});
    ASSERT_TRUE(r.stopped);
    EXPECT_EQ(r['C'], k.passes);
    EXPECT_EQ(r['A'], std::max(k.a, k.b));
  }
}

TEST(Runs, RepeatLoops) {
  struct Case {
    int a, b, passes, a_end;
  };
  for (const Case& k : {Case{0, 5, 3, 6}, Case{10, 5, 1, 12}, Case{0, 6, 3, 6}}) {
    SCOPED_TRACE(std::to_string(k.a) + " " + std::to_string(k.b));
    CompiledRun r("A,B,C", {"REPEAT A:=A+2; C:=C+1", "UNTIL A>=B;", "WRITELN(A,B,C);HALT"}, {{'A', k.a}, {'B', k.b}, {'C', 0}});
    ASSERT_TRUE(r.stopped);
    EXPECT_EQ(r['C'], k.passes);
    EXPECT_EQ(r['A'], k.a_end);
  }
}

TEST(Runs, ForLoops) {
  struct Case {
    const char* heading;
    int a, b, passes, i_end;
  };
  const Case cases[] = {
      {"FOR I:=A TO B DO", 1, 5, 5, 5},       {"FOR I:=A TO B DO", 5, 5, 1, 5},
      {"FOR I:=A TO B DO", 6, 5, 0, 6},       {"FOR I:=A DOWNTO B DO", 5, 1, 5, 1},
      {"FOR I:=A DOWNTO B DO", 3, 3, 1, 3},   {"FOR I:=A DOWNTO B DO", 2, 3, 0, 2},
      {"FOR I:=A DOWNTO 0 DO", 3, 0, 4, 0},   {"FOR I:=1 TO B+1 DO", 0, 3, 4, 4},
      {"FOR I:=A+1 TO 4 DO", 1, 0, 3, 4},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.heading) + " A=" + std::to_string(k.a) + " B=" + std::to_string(k.b));
    CompiledRun r("I,A,B,C", {k.heading, "C:=C+1;", "WRITELN(I,A,C);HALT"}, {{'A', k.a}, {'B', k.b}, {'C', 0}});
    ASSERT_TRUE(r.stopped);
    EXPECT_EQ(r['C'], k.passes);
    EXPECT_EQ(r['I'], k.i_end);
  }
}

TEST(Runs, ForLimitChangedInsideTheBody) {
  CompiledRun r("I,N,C", {"FOR I:=1 TO N DO", "BEGIN C:=C+1; N:=1 END;", "WRITELN(I,N,C);HALT"}, {{'N', 5}, {'C', 0}});
  ASSERT_TRUE(r.stopped);
  EXPECT_EQ(r['C'], 5);
  EXPECT_EQ(r['N'], 1);
}

}  // namespace
}  // namespace telun
