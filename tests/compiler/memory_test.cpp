// The 16 cells as the only limit, and what stays in memory between
// compilations.

#include "tests/compiler/compiler_fixture.h"

namespace telun {
namespace {

struct Full {
  const char* name;
  const char* vars;
  std::vector<std::string_view> body;
  const char* message;
  std::vector<int> writes;  // the cells written before the failure
};

TEST(MemoryFull, EachWay) {
  const Full cases[] = {
      {"variables", "A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P,Q", {"A:=B"}, "нет памяти", {}},
      {"instructions", "A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P", {"A:=B"}, "нет памяти", {}},
      {"constants", "A,B,C,D,E,F,G,H,I,J,K,L,X,Y", {"X:=1;Y:=2"}, "ошибка в константе", {1, 0}},
      {"working cells", "A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P", {"IF A+B>C THEN A:=B"}, "нет памяти", {}},
      {"the two jump cells of =", "A,B,C,D,E,F,G,H,I,J,K,L,M,N,O", {"IF A=B THEN A:=B"}, "нет памяти", {}},
      {"the jump back of WHILE", "A,B,C,D,E,F,G,H,I,J,K,L,M,N", {"WHILE A<>B DO A:=B"}, "нет памяти", {1}},
      {"the entry test of FOR", "A,B,C,D,E,F,G,H,I,J,K,L,M,N", {"FOR A:=B TO 5 DO C:=A"}, "нет памяти", {0, 1}},
  };
  for (const Full& f : cases) {
    SCOPED_TRACE(f.name);
    CompilerBench b;
    b.fill_memory();
    std::vector<std::string> lines = {"PROGRAM T;", std::string("VAR ") + f.vars + ":INTEGER;", "BEGIN"};
    lines.insert(lines.end(), f.body.begin(), f.body.end());
    lines.emplace_back("END.");
    b.page(views(lines));
    EXPECT_FALSE(b.compile());
    EXPECT_EQ(b.message(), f.message);
    EXPECT_EQ(b.rec.writes, f.writes);
    for (int a = 0; a < 16; ++a) {
      bool written = false;
      for (int w : f.writes) written = written || w == a;
      if (!written) {
        EXPECT_EQ(b.cell(a), CompilerBench::pattern(a)) << "cell " << a;
      }
    }
    EXPECT_EQ(b.marks().find('*'), std::string::npos);
  }
}

TEST(MemoryFull, SixteenVariablesAreDeclared) {
  CompilerBench b;
  b.page({"PROGRAM T;", "VAR A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P:INTEGER;", "BEGIN A:=B END."});
  EXPECT_FALSE(b.compile());
  EXPECT_EQ(b.marks(), "PONMLKJIHGFEDCBA");
  EXPECT_EQ(b.c.HIMEM, -1);
  EXPECT_EQ(b.c.VARADR[0], 15);
  EXPECT_EQ(b.c.VARADR[15], 0);
}

TEST(MemoryFull, FourteenVariablesTakeOneConstant) {
  CompilerBench b;
  b.fill_memory();
  b.page({"PROGRAM T;", "VAR A,B,C,D,E,F,G,H,I,J,K,L,X,Y:INTEGER;", "BEGIN X:=1;Y:=2 END."});
  EXPECT_FALSE(b.compile());
  EXPECT_EQ(b.cell(1), 1);
  EXPECT_EQ(b.cell(0), ins(0b000, 1, 0, 3));
  EXPECT_EQ(b.marks(), " #YXLKJIHGFEDCBA");
}

const std::vector<std::string_view> SUM = {"PROGRAM SUM;", "VAR I,S,N:INTEGER;",  "BEGIN", "S:=0;",
                                           "FOR I:=1 TO N DO S:=S+I;", "WRITELN(I,S,N);HALT", "END."};

TEST(Recompiling, TheSameTextGivesTheSameCells) {
  CompilerBench b;
  b.fill_memory();
  b.page(SUM);
  ASSERT_TRUE(b.compile());
  const auto first = b.m.MEM;
  const auto order = b.rec.writes;
  // Another program in between leaves allocation state behind.
  b.page({"PROGRAM Q;", "VAR Q,R:INTEGER;", "BEGIN IF Q+7>R*5 THEN Q:=R END."});
  ASSERT_TRUE(b.compile()) << b.message();
  b.page(SUM);
  ASSERT_TRUE(b.compile());
  const auto second_order = b.rec.writes;
  b.page(SUM);
  ASSERT_TRUE(b.compile());
  EXPECT_EQ(b.rec.writes, order);
  EXPECT_EQ(second_order, order);
  for (int a : order) EXPECT_EQ(b.m.MEM[static_cast<std::size_t>(a)], first[static_cast<std::size_t>(a)]) << a;
}

TEST(Recompiling, AShorterProgramLeavesTheOldCellsAbove) {
  CompilerBench b;
  b.page(SUM);
  ASSERT_TRUE(b.compile());
  const auto sum = b.m.MEM;
  b.page({"PROGRAM S;", "VAR I,S,N:INTEGER;", "BEGIN S:=0 END."});
  ASSERT_TRUE(b.compile()) << b.message();
  EXPECT_EQ(b.c.LOMEM, 1);
  EXPECT_EQ(b.rec.writes, (std::vector<int>{12, 0}));
  for (int a = 1; a <= 11; ++a) EXPECT_EQ(b.m.MEM[static_cast<std::size_t>(a)], sum[static_cast<std::size_t>(a)]) << a;
  EXPECT_EQ(b.cell(8), ins(0b111, 15, 14, 13));  // the old stop instruction stays
}

TEST(Recompiling, AFailedCompilationKeepsWhatItWrote) {
  CompilerBench b;
  b.fill_memory();
  b.page({"PROGRAM T;", "VAR A,B:INTEGER;", "BEGIN A:=7; B:=A+A+A END."});
  EXPECT_FALSE(b.compile());
  EXPECT_EQ(b.rec.writes, (std::vector<int>{13, 0}));
  EXPECT_EQ(b.cell(13), 7);
  EXPECT_EQ(b.cell(0), ins(0b000, 13, 0, 15));
}

}  // namespace
}  // namespace telun
