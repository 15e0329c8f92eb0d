// The worked examples: every cell written, the cells left alone, the marks
// beside the memory rows and the order in which the cells appear.

#include <utility>

#include "tests/compiler/compiler_fixture.h"

namespace telun {
namespace {

struct Example {
  const char* name;
  std::string vars;
  std::vector<std::string> body;
  std::vector<std::pair<int, int>> cells;  // cell, contents; every other cell is left alone
  std::vector<int> order;                  // the cells in the order they are written
  std::string marks;                       // column 1 beside cells 0..15
};

const std::vector<Example>& examples() {
  static const std::vector<Example> list = {
      {"IF with ELSE",
       "A,B,C",
       {"IF A>B THEN C:=A", "ELSE C:=B;"},
       {{0, ins(0b110, 15, 14, 2)},   // if A > B go to 2
        {1, ins(0b100, 0, 0, 4)},     // go to 4, the ELSE branch
        {2, ins(0b000, 15, 0, 13)},   // C := A
        {3, ins(0b100, 0, 0, 5)},     // go to 5, over the ELSE branch
        {4, ins(0b000, 14, 0, 13)}},  // C := B
       {2, 0, 1, 4, 3},
       "             CBA"},
      {"IF with arithmetic sides and a block",
       "A,B,C",
       {"IF A+1=B*2 THEN", "BEGIN C:=A; A:=B END", "ELSE C:=B"},
       {{0, ins(0b001, 15, 12, 11)},  // W1 := A + 1
        {1, ins(0b101, 14, 10, 9)},   // W2 := B * 2
        {2, ins(0b100, 11, 9, 4)},    // if W1 = W2 go to 4
        {3, ins(0b100, 0, 0, 7)},     // go to 7
        {4, ins(0b000, 15, 0, 13)},   // C := A
        {5, ins(0b000, 14, 0, 15)},   // A := B
        {6, ins(0b100, 0, 0, 8)},     // go to 8
        {7, ins(0b000, 14, 0, 13)},   // C := B
        {10, 2},                      // constant
        {12, 1}},                     // constant
       {12, 0, 10, 1, 4, 5, 2, 3, 7, 6},
       "         *#*#CBA"},
      {"WHILE",
       "A,B",
       {"WHILE A<B DO A:=A+1"},
       {{0, ins(0b110, 14, 15, 2)},   // if B > A go to 2
        {1, ins(0b100, 0, 0, 4)},     // go to 4, out of the loop
        {2, ins(0b001, 15, 13, 15)},  // A := A + 1
        {3, ins(0b100, 0, 0, 0)},     // go to 0
        {13, 1}},
       {13, 2, 3, 0, 1},
       "             #BA"},
      {"REPEAT",
       "A,B",
       {"REPEAT A:=A+1", "UNTIL A>=B"},
       {{0, ins(0b001, 15, 13, 15)},  // A := A + 1
        {1, ins(0b110, 14, 15, 0)},   // if B > A go to 0
        {13, 1}},
       {13, 0, 1},
       "             #BA"},
      {"FOR TO",
       "I,S,N",
       {"S:=0;", "FOR I:=1 TO N DO S:=S+I;", "WRITELN(I,S,N);HALT"},
       {{0, ins(0b000, 12, 0, 14)},   // S := 0
        {1, ins(0b000, 11, 0, 15)},   // I := 1
        {2, ins(0b000, 13, 0, 10)},   // W := N, the copy of the limit
        {3, ins(0b110, 15, 10, 8)},   // if I > W go to 8: the entry test
        {4, ins(0b001, 14, 15, 14)},  // S := S + I
        {5, ins(0b100, 15, 10, 8)},   // if I = W go to 8
        {6, ins(0b001, 15, 11, 15)},  // I := I + 1
        {7, ins(0b100, 0, 0, 4)},     // go to 4
        {8, ins(0b111, 15, 14, 13)},  // stop, output I, S, N
        {11, 1},
        {12, 0}},
       {12, 0, 11, 1, 2, 4, 5, 6, 7, 3, 8},
       "          *##NSI"},
      {"FOR DOWNTO",
       "I,S,N",
       {"FOR I:=N DOWNTO N-3 DO", "S:=S+I"},
       {{0, ins(0b000, 13, 0, 15)},   // I := N
        {1, ins(0b011, 13, 12, 11)},  // W := N - 3
        {2, ins(0b110, 11, 15, 7)},   // if W > I go to 7
        {3, ins(0b001, 14, 15, 14)},  // S := S + I
        {4, ins(0b100, 15, 11, 7)},   // if I = W go to 7
        {5, ins(0b011, 15, 10, 15)},  // I := I - 1
        {6, ins(0b100, 0, 0, 3)},     // go to 3
        {10, 1},
        {12, 3}},
       {0, 12, 1, 3, 4, 10, 5, 6, 2},
       "          #*#NSI"},
  };
  return list;
}

TEST(WorkedExamples, CellsMarksAndOrder) {
  for (const Example& ex : examples()) {
    SCOPED_TRACE(ex.name);
    CompilerBench b;
    b.fill_memory();
    std::vector<std::string> lines = program(ex.vars, {});  // the body goes before "END."
    lines.insert(lines.end() - 1, ex.body.begin(), ex.body.end());
    b.page(views(lines));
    ASSERT_TRUE(b.compile()) << b.message();

    std::vector<bool> written(16, false);
    for (auto [a, v] : ex.cells) {
      SCOPED_TRACE("cell " + std::to_string(a));
      EXPECT_EQ(b.cell(a), v);
      written[static_cast<std::size_t>(a)] = true;
    }
    for (int a = 0; a < 16; ++a) {
      SCOPED_TRACE("cell " + std::to_string(a));
      if (!written[static_cast<std::size_t>(a)]) {
        EXPECT_EQ(b.cell(a), CompilerBench::pattern(a)) << "not written";
      }
      // Written cells stand in inverse video, the others in normal video.
      EXPECT_EQ(b.con.inverse_at(8, a + 4), written[static_cast<std::size_t>(a)]);
      const bool marked = ex.marks[static_cast<std::size_t>(a)] != ' ';
      EXPECT_EQ(b.con.inverse_at(1, a + 4), marked);
    }
    EXPECT_EQ(b.rec.writes, ex.order);
    EXPECT_EQ(b.marks(), ex.marks);
  }
}

TEST(WorkedExamples, WholeProgramSum) {
  CompilerBench b;
  b.fill_memory();
  b.page({"PROGRAM SUM;", "VAR I,S,N:INTEGER;", "BEGIN", "S:=0;", "FOR I:=1 TO N DO S:=S+I;", "WRITELN(I,S,N);HALT",
          "END."});
  ASSERT_TRUE(b.compile()) << b.message();
  const int expected[16] = {ins(0b000, 12, 0, 14), ins(0b000, 11, 0, 15), ins(0b000, 13, 0, 10), ins(0b110, 15, 10, 8),
                            ins(0b001, 14, 15, 14), ins(0b100, 15, 10, 8),  ins(0b001, 15, 11, 15), ins(0b100, 0, 0, 4),
                            ins(0b111, 15, 14, 13), CompilerBench::pattern(9), CompilerBench::pattern(10), 1,
                            0, CompilerBench::pattern(13), CompilerBench::pattern(14), CompilerBench::pattern(15)};
  for (int a = 0; a < 16; ++a) {
    SCOPED_TRACE("cell " + std::to_string(a));
    EXPECT_EQ(b.cell(a), expected[a]);
  }
  EXPECT_EQ(b.rec.writes, (std::vector<int>{12, 0, 11, 1, 2, 4, 5, 6, 7, 3, 8}));
  EXPECT_EQ(b.marks(), "          *##NSI");
  EXPECT_EQ(b.c.LOMEM, 9);
  EXPECT_EQ(b.c.HIMEM, 9);
  EXPECT_EQ(std::string(b.m.OUTNAME.begin(), b.m.OUTNAME.end()), "ISN");
  // The position ends on the final "."; SM shows the last value written.
  EXPECT_EQ(b.src.ROW, 7);
  EXPECT_EQ(b.src.COL, 4);
  int sm = 0;
  for (int i = 15; i >= 1; --i) sm = sm * 2 + b.m.SM[static_cast<std::size_t>(i)];
  EXPECT_EQ(sm, ins(0b111, 15, 14, 13));
  EXPECT_EQ(utf8_string(b.con.text_at(49, 21, 30)), "УСПЕШНОЕ ЗАВЕРШЕНИЕ КОМПИЛЯЦИИ");
  EXPECT_EQ(b.con.text_at(50, 22, 16), std::string(16, ' '));
}

TEST(WorkedExamples, LowerCaseAndCommentsCompileAlike) {
  CompilerBench upper, lower;
  upper.page({"PROGRAM X;", "VAR A,B:INTEGER;", "BEGIN A:=B END."});
  lower.page({"{ head } program x;", "var a,{ b", "} b:integer; begin", "a:={x}b end."});
  ASSERT_TRUE(upper.compile()) << upper.message();
  ASSERT_TRUE(lower.compile()) << lower.message();
  for (int a = 0; a < 16; ++a) EXPECT_EQ(upper.cell(a), lower.cell(a)) << "cell " << a;
  EXPECT_EQ(lower.cell(0), ins(0b000, 14, 0, 15));
}

}  // namespace
}  // namespace telun
