// Failing pages: the message and the place blamed (FIXROW, FIXCOL) for each
// condition of the failure tables, and pages at the edges that compile.

#include "tests/compiler/compiler_fixture.h"

namespace telun {
namespace {

// Rows 1..3 the heading (A 15, B 14, C 13, X 12), the body from row 4, "END.".
std::vector<std::string> body(std::initializer_list<std::string_view> lines) { return program("A,B,C,X", lines); }
// Rows 1..3 the heading, then only the lines given: no "END.".
std::vector<std::string> open_body(std::initializer_list<std::string_view> lines) {
  std::vector<std::string> page = body(lines);
  page.pop_back();
  return page;
}
// The heading and one body line, then a word that ends in the last place
// of the page, (14, 24): the text runs out while that word is compared.
std::vector<std::string> cut_off(std::string_view line, std::string_view last_word) {
  std::vector<std::string> page = open_body({line});
  page.resize(13);
  page.push_back(std::string(24 - last_word.size(), ' ') + std::string(last_word));
  return page;
}

struct Failure {
  const char* name;
  std::vector<std::string> page;
  const char* message;  // UTF-8; the Latin c of the first syntax message is typed as a Latin c
  int row, col;         // the place blamed
};

const std::vector<Failure>& failures() {
  static const std::vector<Failure> list = {
      // Operands and assignment.
      {"constant above 32767", body({"X:=32768;"}), "ошибка в константе", 4, 9},
      {"five nines", body({"X:=99999;"}), "ошибка в константе", 4, 9},
      {"a sixth digit", body({"X:=123456;"}), "ошибка в константе", 4, 9},
      {"constant followed by THEN", body({"X:=5 THEN"}), "ошибка в константе", 4, 6},
      {"second operator after a constant", body({"X:=A+1+2"}), "ошибка в константе", 4, 7},
      {"end of text after a constant", open_body({"X:=5"}), "ошибка в константе", 4, 5},
      {"second operator", body({"X:=A+B+C"}), "cинтаксическая ошибка", 4, 7},  // Latin c
      {"DIV as a second operator", body({"X:=A+B DIV C"}), "cинтаксическая ошибка", 4, 8},  // Latin c
      {"ELSE after a plain assignment", body({"X:=A ELSE X:=B"}), "cинтаксическая ошибка", 4, 6},  // Latin c
      {"= instead of :=", body({"X = 5"}), "ожидается присвоение", 4, 3},
      {"two-letter target", body({"XY:=1"}), "ожидается присвоение", 4, 2},
      {"operator after the target", body({"X + 5"}), "неподходящая конструкция", 4, 3},
      {"constant as the target", body({"5:=X"}), "ожидается переменная", 4, 1},
      {"operand neither digit nor letter", body({"X:=+5"}), "синтаксическая ошибка", 4, 4},
      {"nothing recognisable after a variable", body({"X:=A B"}), "синтаксическая ошибка", 4, 6},
      {"undeclared variable", body({"X:=Z"}), "переменная не описана", 4, 4},
      {"end of text after a variable", open_body({"X:=A"}), "не найден символ", 4, 5},
      // Statements.
      {"empty block", body({"IF A>B THEN BEGIN END"}), "пусто между BEGIN и END", 4, 19},
      {"empty REPEAT body", body({"REPEAT END"}), "пусто между BEGIN и END", 4, 8},
      {"ELSE inside the block of an IF", body({"IF A>B THEN BEGIN C:=A", "ELSE C:=B END"}), "ожидается END", 5, 1},
      {"THEN block followed by .", body({"IF A>B THEN BEGIN C:=A"}), "ожидается ; END или ELSE", 5, 4},
      {"WHILE block followed by .", body({"WHILE A>B DO BEGIN C:=A"}), "ожидается ; или END.", 5, 4},
      {"HALT followed by .", body({"WRITELN(A,B,C);HALT."}), "ожидается ; или END.", 4, 20},
      {"IF without THEN", body({"IF A>B DO C:=A"}), "ожидается слово THEN", 4, 8},
      {"WHILE without DO", body({"WHILE A>B THEN C:=A"}), "ожидается слово DO", 4, 11},
      {"UNTIL ... END not followed by .", body({"REPEAT A:=A+1 UNTIL A>B", "END;"}), "ожидается .", 5, 4},
      {"constant FOR limit without DO", body({"FOR A:=1 TO 5 THEN C:=A"}), "ошибка в константе", 4, 15},
      {"variable FOR limit without DO", body({"FOR A:=1 TO B THEN C:=A"}), "cинтаксическая ошибка", 4, 15},  // Latin c
      {"FOR heading without TO, constant", body({"FOR A:=1 DO C:=A"}), "ошибка в константе", 4, 10},
      {"FOR heading without TO, variable", body({"FOR A:=B DO C:=A"}), "cинтаксическая ошибка", 4, 10},  // Latin c
      {"WRITELN without (", body({"WRITELN A,B,C);HALT"}), "ожидается (", 4, 9},
      {"WRITELN item not a letter", body({"WRITELN(1,B,C);HALT"}), "ошибка в списке переменных", 4, 9},
      {"WRITELN item not declared", body({"WRITELN(Z,B,C);HALT"}), "переменная не описана", 4, 9},
      {"WRITELN with two items", body({"WRITELN(A,B);HALT"}), "ожидается ,", 4, 12},
      {"WRITELN without )", body({"WRITELN(A,B,C;HALT"}), "ожидается )", 4, 14},
      {"WRITELN without ;", body({"WRITELN(A,B,C) HALT"}), "ожидается ;", 4, 15},
      {"WRITELN without HALT", body({"WRITELN(A,B,C);STOP"}), "ожидается слово HALT", 4, 16},
      // A further operator after a two-operand right side of UNTIL.
      {"UNTIL right side with a third variable", body({"REPEAT A:=A+1", "UNTIL A>B+C*C;"}), "cинтаксическая ошибка", 5, 12},  // Latin c
      {"UNTIL right side with a third operand after a constant", body({"REPEAT A:=A+1", "UNTIL A>B+1-C;"}),
       "cинтаксическая ошибка", 5, 12},  // Latin c
      // The program.
      {"blank page", {}, "ожидается слово PROGRAM", 1, 1},
      {"PROGRAM misspelt", {"PROGRA T;", "VAR A:INTEGER;", "BEGIN A:=A END."}, "ожидается слово PROGRAM", 1, 1},
      {"no ; anywhere", {"PROGRAM T", "VAR A:INTEGER", "BEGIN A:=A END."}, "ожидается ;", 3, 16},
      {"heading without ;", {"PROGRAM T", "VAR A:INTEGER;", "BEGIN A:=A END."}, "ожидается слово VAR", 3, 1},
      {"VAR misspelt", {"PROGRAM T;", "VOR A:INTEGER;", "BEGIN A:=A END."}, "ожидается слово VAR", 2, 1},
      {"the editor's template", {"PROGRAM  ;", "VAR  :INTEGER;", "BEGIN", "", "END."}, "ошибка в списке переменных", 2, 6},
      {"two-letter variable", {"PROGRAM T;", "VAR AB:INTEGER;", "BEGIN A:=A END."}, "ошибка в списке переменных", 2, 6},
      {"; instead of :", {"PROGRAM T;", "VAR A;INTEGER;", "BEGIN A:=A END."}, "ошибка в списке переменных", 2, 6},
      {"digit in the list", {"PROGRAM T;", "VAR 1:INTEGER;", "BEGIN A:=A END."}, "ошибка в списке переменных", 2, 5},
      {"declared twice", {"PROGRAM T;", "VAR A,B,A:INTEGER;", "BEGIN A:=A END."}, "повторное описание", 2, 10},
      {"seventeen variables", {"PROGRAM T;", "VAR A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P,Q:INTEGER;", "BEGIN A:=A END."},
       "нет памяти", 3, 14},
      {"INTEGER misspelt", {"PROGRAM T;", "VAR A:INTEGR;", "BEGIN A:=A END."}, "ожидается слово INTEGER", 2, 7},
      {"no ; after INTEGER", {"PROGRAM T;", "VAR A:INTEGER BEGIN", "A:=A END."}, "ожидается ;", 2, 15},
      {"BEGIN misspelt", {"PROGRAM T;", "VAR A:INTEGER;", "BEGN A:=A END."}, "ожидается слово BEGIN", 3, 1},
      {"statement starting with ;", body({";"}), "ожидается переменная", 4, 1},
      {"nothing after the last ;", open_body({"A:=1;"}), "ожидается переменная", 4, 6},
      {"END without .", open_body({"A:=1 END"}), "END без BEGIN", 4, 6},
      {"END in the middle", body({"A:=1; END; B:=2"}), "END без BEGIN", 4, 7},
      {"BEGIN END. is an assignment to E", {"PROGRAM T;", "VAR A:INTEGER;", "BEGIN END."}, "переменная не описана", 3, 7},
      {"BEGIN END. with E declared", {"PROGRAM T;", "VAR E:INTEGER;", "BEGIN END."}, "ожидается присвоение", 3, 8},
      {"text ends in the VAR list", {"PROGRAM T;", "VAR A"}, "не найден символ", 2, 6},
      {"END in the last places of the page",
       {"PROGRAM T;", "VAR A,B:INTEGER;", "BEGIN", "A:=B", "", "", "", "", "", "", "", "", "", "                     END"},
       "не найден символ", 14, 22},
      // The text runs out inside a word the statement looks for: the
      // compilation stops there, and the place blamed is the last one marked.
      {"text ends inside END after ;", cut_off("A:=1;", "EN"), "не найден символ", 4, 5},
      {"text ends inside END in a block", cut_off("IF A>B THEN BEGIN C:=A;", "EN"), "не найден символ", 4, 23},
      {"text ends inside BEGIN after THEN", cut_off("IF A>B THEN", "BEG"), "не найден символ", 4, 8},
      {"text ends inside BEGIN after ELSE", cut_off("IF A>B THEN C:=A ELSE", "BEG"), "не найден символ", 4, 18},
      {"text ends inside BEGIN after DO", cut_off("FOR A:=1 TO B DO", "BEG"), "не найден символ", 4, 15},
  };
  return list;
}

TEST(FailingPages, MessageAndPlace) {
  for (const Failure& f : failures()) {
    SCOPED_TRACE(f.name);
    CompilerBench b;
    b.page(views(f.page));
    EXPECT_FALSE(b.compile());
    EXPECT_TRUE(b.c.COMPERR);
    EXPECT_EQ(b.c.COMPMSG, cp866_string(f.message)) << b.message();
    EXPECT_EQ(b.src.FIXROW, f.row);
    EXPECT_EQ(b.src.FIXCOL, f.col);
    // No success text on a failure.
    EXPECT_EQ(b.con.text_at(49, 21, 1), " ");
  }
}

TEST(FailingPages, TheTwoSyntaxMessagesDifferInTheirFirstByte) {
  CompilerBench latin, cyrillic;
  latin.page(views(body({"X:=A+B+C"})));
  cyrillic.page(views(body({"X:=+5"})));
  EXPECT_FALSE(latin.compile());
  EXPECT_FALSE(cyrillic.compile());
  ASSERT_FALSE(latin.c.COMPMSG.empty());
  EXPECT_EQ(static_cast<unsigned char>(latin.c.COMPMSG[0]), 0x63);      // Latin c
  EXPECT_EQ(static_cast<unsigned char>(cyrillic.c.COMPMSG[0]), 0xE1);   // Cyrillic с in cp866
  EXPECT_EQ(latin.c.COMPMSG.substr(1), cyrillic.c.COMPMSG.substr(1));
}

// After UNTIL a further operator is refused as soon as it is read: neither
// the right side's working cell nor its instruction is made, so with memory
// full the message is still the syntax one.
TEST(FailingPages, UntilRefusesAThirdOperandBeforeEmittingAnything) {
  struct Case {
    const char* name;
    const char* vars;
    const char* statement;
    std::vector<int> writes;  // the constant 1 and the body
  };
  const Case cases[] = {
      {"room left", "A,B,C,X", "REPEAT A:=A+1 UNTIL A>B+C*C", {11, 0}},
      {"memory full", "A,B,C,D,E,F,G,H,I,J,K,L,M,N", "REPEAT A:=B UNTIL A>B+C*C", {0}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    CompilerBench b;
    b.fill_memory();
    b.page(views(program(k.vars, {k.statement})));
    EXPECT_FALSE(b.compile());
    EXPECT_EQ(b.message(), "cинтаксическая ошибка");  // Latin c
    EXPECT_EQ(b.rec.writes, k.writes);
    EXPECT_EQ(b.marks().find('*'), std::string::npos) << "no working cell taken";
  }
}

struct Accepted {
  const char* name;
  std::vector<std::string> page;
  int lomem;  // instructions emitted
};

const std::vector<Accepted>& accepted() {
  static const std::vector<Accepted> list = {
      {"empty program name", {"PROGRAM ;", "VAR A:INTEGER;", "BEGIN A:=A END."}, 1},
      {"name of several words", {"PROGRAM MY 1 X;", "VAR A:INTEGER;", "BEGIN A:=A END."}, 1},
      {"blank before :", {"PROGRAM T;", "VAR A :INTEGER;", "BEGIN A:=A END."}, 1},
      {"blanks around INTEGER", {"PROGRAM T;", "VAR A: INTEGER ;", "BEGIN A:=A END."}, 1},
      {"; before END", body({"A:=1;"}), 1},
      {"blank between END and .", {"PROGRAM T;", "VAR A:INTEGER;", "BEGIN A:=1; END ."}, 1},
      {"largest constant", body({"X:=32767"}), 1},
      {"THEN block then END.", body({"IF A>B THEN BEGIN C:=A END END."}), 3},
      {"WHILE block then END.", body({"WHILE A>B DO BEGIN C:=A END END."}), 4},
      {"; before UNTIL", body({"REPEAT A:=A+1; UNTIL A>B"}), 3},
      {"UNTIL condition then ;", body({"REPEAT A:=A+1 UNTIL A>B;"}), 3},
      {"<> reserves one cell", body({"IF A<>B THEN C:=A"}), 2},
      {"= reserves two cells", body({"IF A=B THEN C:=A"}), 3},
      {"one variable three times", body({"WRITELN(A,A,A);HALT"}), 1},
      {"HALT END.", {"PROGRAM T;", "VAR A,B,C:INTEGER;", "BEGIN", "WRITELN(A,B,C);HALT END."}, 1},
      {"an ELSE branch ended by ELSE", body({"IF A>B THEN X:=1 ELSE X:=2", "ELSE X:=3"}), 6},
      {"text after END. is not read", {"PROGRAM T;", "VAR A:INTEGER;", "BEGIN A:=A END.", "} ?? 5:=( END"}, 1},
  };
  return list;
}

TEST(AcceptedPages, Compile) {
  for (const Accepted& a : accepted()) {
    SCOPED_TRACE(a.name);
    CompilerBench b;
    b.page(views(a.page));
    ASSERT_TRUE(b.compile()) << b.message() << " at " << b.src.FIXROW << "," << b.src.FIXCOL;
    EXPECT_EQ(b.c.LOMEM, a.lomem);
    EXPECT_EQ(b.src.WPROG(b.src.ROW, b.src.COL), '.');
  }
}

TEST(AcceptedPages, ConstantsAreReadAsWritten) {
  struct Case {
    const char* text;
    int value;
  };
  const Case cases[] = {{"X:=00099", 99}, {"X:=1 2", 12}, {"X:=32767", 32767}, {"X:=0", 0}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.text);
    CompilerBench b;
    b.page(views(body({k.text})));
    ASSERT_TRUE(b.compile()) << b.message();
    EXPECT_EQ(b.cell(11), k.value);
    EXPECT_EQ(b.cell(0), ins(0b000, 11, 0, 12));
  }
}

TEST(AcceptedPages, ElseEndedByElseGoesOnWithTheNextStatement) {
  CompilerBench b;
  b.page(views(body({"IF A>B THEN X:=1 ELSE X:=2", "ELSE X:=3"})));
  ASSERT_TRUE(b.compile()) << b.message();
  EXPECT_EQ(b.cell(0), ins(0b110, 15, 14, 2));
  EXPECT_EQ(b.cell(1), ins(0b100, 0, 0, 4));
  EXPECT_EQ(b.cell(2), ins(0b000, 11, 0, 12));  // X := 1
  EXPECT_EQ(b.cell(3), ins(0b100, 0, 0, 5));
  EXPECT_EQ(b.cell(4), ins(0b000, 10, 0, 12));  // X := 2
  EXPECT_EQ(b.cell(5), ins(0b000, 9, 0, 12));   // X := 3, a statement of its own
}

TEST(AcceptedPages, OutnameHoldsTheLastWriteln) {
  CompilerBench b;
  b.page(views(body({"WRITELN(A,B,C);HALT;", "WRITELN(X,C,A);HALT"})));
  ASSERT_TRUE(b.compile()) << b.message();
  EXPECT_EQ(std::string(b.m.OUTNAME.begin(), b.m.OUTNAME.end()), "XCA");
}

TEST(AcceptedPages, WorkingCellsAreSharedByLaterConditions) {
  CompilerBench b;
  b.page(views(program("A,B", {"IF A+1<>B*2 THEN A:=B;", "IF A<>B*2 THEN B:=A;", "IF A-1<>B THEN A:=B"})));
  ASSERT_TRUE(b.compile()) << b.message();
  // A + 1 into W1 (cell 12), B * 2 into W2 (cell 10). The second condition's
  // product goes where WBUSY points, W2; the third left side is W1 again.
  EXPECT_EQ(b.cell(0), ins(0b001, 15, 13, 12));
  EXPECT_EQ(b.cell(1), ins(0b101, 14, 11, 10));
  EXPECT_EQ(b.cell(2), ins(0b100, 12, 10, 4));
  EXPECT_EQ(b.cell(4), ins(0b101, 14, 11, 10));
  EXPECT_EQ(b.cell(5), ins(0b100, 15, 10, 7));
  EXPECT_EQ(b.cell(7), ins(0b011, 15, 13, 12));
  EXPECT_EQ(b.marks(), "          *#*#BA");
}

}  // namespace
}  // namespace telun
