// Reading the page: steps across row ends, keywords and operators as
// prefixes in table order, the symbol display and the comment filter.

#include "tests/compiler/compiler_fixture.h"

namespace telun {
namespace {

TEST(Scanner, StepRunsOnAcrossRowEndsAndStopsAtTheLastPlace) {
  CompilerBench b;
  int r = 3, c = 24;
  EXPECT_TRUE(b.c.STEP(r, c));
  EXPECT_EQ(r, 4);
  EXPECT_EQ(c, 1);
  EXPECT_FALSE(b.c.COMPERR);
  r = 14;
  c = 24;
  EXPECT_FALSE(b.c.STEP(r, c));
  EXPECT_TRUE(b.c.COMPERR);
  EXPECT_EQ(r, 14);
  EXPECT_EQ(c, 24);
  EXPECT_EQ(b.message(), "не найден символ");
}

// Each text stands at (1, 1) and is followed by " Z": the symbol code found,
// and the column the position moves to (the Z, or the start when nothing).
TEST(Scanner, ChkznakCodes) {
  struct Case {
    const char* text;
    int code;
    int col_after;
  };
  const Case cases[] = {
      {"+", 1, 3},      {"-", 2, 3},      {"*", 3, 3},      {"DIV", 4, 5},    {":=", 5, 4},
      {"END", 6, 5},    {"THEN", 7, 6},   {"ELSE", 8, 6},   {"DOWNTO", 9, 8}, {"TO", 10, 4},
      {"DO", 11, 4},    {"UNTIL", 12, 7}, {";", 13, 3},     {"=", 14, 3},     {"<>", 15, 4},
      {">", 16, 3},     {"<=", 17, 4},    {"<", 18, 3},     {">=", 19, 4},    {"X", 0, 1},
      {":", 0, 1},      {"< >", 18, 3},   {"DI V", 0, 1},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text);
    CompilerBench b;
    b.put(1, 1, std::string(k.text) + " Z");
    ASSERT_TRUE(b.prepare());
    b.src.ROW = 1;
    b.src.COL = 1;
    int code = -1;
    b.c.CHKZNAK(code);
    EXPECT_EQ(code, k.code);
    EXPECT_EQ(b.src.COL, k.col_after);
    EXPECT_EQ(b.src.FIXCOL, 1) << "the mark is on the start of the symbol";
  }
}

TEST(Scanner, KeywordsArePrefixesTriedInTableOrder) {
  struct Case {
    const char* text;
    int first, last, found, col_after;
  };
  const Case cases[] = {
      {"DOWNTOWN", 14, 16, 14, 7},  // DOWNTO, then WN
      {"ENDX", 11, 11, 11, 4},      // END, then X
      {"DOIT", 14, 16, 16, 3},      // DO
      {"BEGINNING", 3, 3, 3, 6},
      {"BE GIN", 3, 3, 0, 1},  // no blanks inside a keyword
      {"WHILE;", 5, 9, 6, 6},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text);
    CompilerBench b;
    b.put(1, 1, k.text);
    b.put(2, 1, "Z");
    ASSERT_TRUE(b.prepare());
    int found = -1;
    b.c.CHKSW(found, k.first, k.last);
    EXPECT_EQ(found, k.found);
    EXPECT_EQ(b.src.ROW, 1);
    EXPECT_EQ(b.src.COL, k.col_after);
  }
}

TEST(Scanner, KeywordSplitAcrossARowEnd) {
  CompilerBench b;
  b.put(1, 22, "BEGIN X");
  ASSERT_TRUE(b.prepare());
  b.src.ROW = 1;
  b.src.COL = 22;
  int found = 0;
  b.c.CHKSW(found, 3, 3);
  EXPECT_EQ(found, 3);
  EXPECT_EQ(b.src.ROW, 2);
  EXPECT_EQ(b.src.COL, 4);  // on the X
}

TEST(Scanner, KeywordEndingInTheLastPlaceIsNotRecognised) {
  CompilerBench b;
  b.put(14, 22, "END");
  ASSERT_TRUE(b.prepare());
  b.src.ROW = 14;
  b.src.COL = 22;
  b.src.FIXROW = 3;
  b.src.FIXCOL = 7;
  int found = -1;
  b.c.CHKSW(found, 11, 11);
  EXPECT_EQ(found, 0);
  EXPECT_TRUE(b.c.COMPERR);
  EXPECT_EQ(b.message(), "не найден символ");
  EXPECT_EQ(b.src.COL, 22);
  EXPECT_EQ(b.src.FIXROW, 3) << "the mark is not touched";
  EXPECT_EQ(b.src.FIXCOL, 7);
}

// STEPGETNEXT from a last symbol fails. From the last place of the page the
// step itself fails and the search for the next symbol is not made, so the
// symbol there is not read a second time as its own successor.
TEST(Scanner, StepGetNextFromTheLastSymbolFails) {
  struct Case {
    const char* name;
    int row, col;    // where the symbol stands
    int stays_col;   // where the position is left
  };
  const Case cases[] = {
      {"only blanks behind", 5, 10, 11},  // the cell after the symbol
      {"symbol in the last place", 14, 24, 24},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    CompilerBench b;
    b.put(k.row, k.col, "X");
    ASSERT_TRUE(b.prepare());
    b.src.ROW = k.row;
    b.src.COL = k.col;
    b.c.STEPGETNEXT();
    EXPECT_TRUE(b.c.COMPERR);
    EXPECT_EQ(b.message(), "не найден символ");
    EXPECT_EQ(b.src.ROW, k.row);
    EXPECT_EQ(b.src.COL, k.stays_col);
  }
}

// The same through the compiler: an operand in the last place is read once,
// and the text ends after it.
TEST(Scanner, OperandInTheLastPlace) {
  struct Case {
    const char* statement;  // ends in (14, 24)
    const char* message;
    std::vector<int> writes;
  };
  const Case cases[] = {
      {"A:=9", "ошибка в константе", {13}},  // the constant 9, not 99999
      {"A:=B", "не найден символ", {}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.statement);
    CompilerBench b;
    b.fill_memory();
    b.page({"PROGRAM T;", "VAR A,B:INTEGER;", "BEGIN"});
    b.put(14, 21, k.statement);
    EXPECT_FALSE(b.compile());
    EXPECT_EQ(b.message(), k.message);
    EXPECT_EQ(b.rec.writes, k.writes);
    if (!k.writes.empty()) {
      EXPECT_EQ(b.cell(13), 9);
    }
    EXPECT_EQ(b.src.ROW, 14);
    EXPECT_EQ(b.src.COL, 24);
  }
}

TEST(Scanner, SymbolDisplayShowsTheTextAsTyped) {
  CompilerBench b;
  b.put(2, 5, "begin");
  ASSERT_TRUE(b.prepare());
  EXPECT_EQ(b.src.WPROG(2, 5), 'B');
  b.src.ROW = 1;
  b.src.COL = 1;
  b.c.GETNEXTSYM();
  EXPECT_FALSE(b.c.COMPERR);
  EXPECT_EQ(b.src.ROW, 2);
  EXPECT_EQ(b.src.COL, 5);
  EXPECT_EQ(b.src.FIXROW, 1);  // the mark is where the move started
  EXPECT_EQ(b.con.text_at(60, 22, 1), "b");
  int found = 0;
  b.c.CHKSW(found, 3, 3);
  EXPECT_EQ(found, 3);
}

TEST(Scanner, Chk1symNamesTheCharacterExpected) {
  CompilerBench b;
  b.put(1, 1, "X");
  ASSERT_TRUE(b.prepare());
  b.c.CHK1SYM('(');
  EXPECT_TRUE(b.c.COMPERR);
  EXPECT_EQ(b.message(), "ожидается (");
  b.c.CHK1SYM('X');
  EXPECT_FALSE(b.c.COMPERR);
}

TEST(CommentFilter, BlanksCommentsAcrossRows) {
  CompilerBench b;
  b.put(1, 1, "A{x}B } C{ one");
  b.put(2, 1, "two }D");
  ASSERT_TRUE(b.prepare());
  std::string row1, row2;
  for (int c = 1; c <= 24; ++c) {
    row1.push_back(static_cast<char>(b.src.WPROG(1, c)));
    row2.push_back(static_cast<char>(b.src.WPROG(2, c)));
  }
  EXPECT_EQ(row1, "A   B } C               ");  // a "}" outside a comment stays
  EXPECT_EQ(row2, "     D                  ");
}

TEST(CommentFilter, Errors) {
  struct Case {
    const char* name;
    int row, col;
    const char* text;
    const char* message;
    int blamed_row, blamed_col;
  };
  const Case cases[] = {
      {"brace inside a comment", 3, 1, "{ a { b }", "ожидается }", 3, 5},
      {"comment never closed", 2, 4, "{ open", "не найден символ }", 14, 24},
      {"brace in the last place", 14, 24, "{", "не найден символ }", 14, 24},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    CompilerBench b;
    b.put(k.row, k.col, k.text);
    EXPECT_FALSE(b.prepare());
    EXPECT_TRUE(b.c.COMPERR);
    EXPECT_EQ(b.message(), k.message);
    EXPECT_EQ(b.rem_row, k.blamed_row);
    EXPECT_EQ(b.rem_col, k.blamed_col);
    EXPECT_EQ(b.c.CH, ' ');
  }
}

TEST(CommentFilter, PlacesCountedOrNamedAgree) {
  // A pass stopped by an error starts the count again, so the next pass
  // finds the last place where it is.
  CompilerBench b;
  b.put(1, 1, "{ {");
  EXPECT_FALSE(b.prepare());
  b.src.PROG.clear();
  b.put(14, 24, "{");
  EXPECT_FALSE(b.prepare());
  EXPECT_EQ(b.rem_row, 14);
  EXPECT_EQ(b.message(), "не найден символ }");
  // The named form.
  b.c.REMFLAG = true;
  b.c.CH = 'x';
  b.c.REM(14, 24);
  EXPECT_TRUE(b.c.COMPERR);
  b.c.REMFLAG = true;
  b.c.REM(14, 23);
  EXPECT_FALSE(b.c.COMPERR);
}

TEST(Scanner, DigitsRunOnAcrossARowEnd) {
  CompilerBench b;
  b.page({"PROGRAM T;", "VAR A:INTEGER;", "BEGIN"});
  b.put(4, 20, "A:=12");
  b.put(5, 1, "3 END.");
  ASSERT_TRUE(b.compile()) << b.message();
  EXPECT_EQ(b.cell(14), 123);
  EXPECT_EQ(b.cell(0), ins(0b000, 14, 0, 15));
}

}  // namespace
}  // namespace telun
