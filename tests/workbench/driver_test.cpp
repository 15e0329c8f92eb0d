// The compile driver's displays: start-up with the template and the help,
// a successful compilation, analysis errors and comment errors with the
// position on the place of the error, and the skip of an unchanged text.
#include "tests/workbench/session.h"

namespace telun::testing {
namespace {

using Lines = std::vector<std::string>;
const Lines NONE;

const Lines SMALL_LETTERS = {"program x;", "var a,b,c:integer;", "begin", "a:=1;", "writeln(a,b,c);halt", "end."};

// At the first key read: puts the page (none: the template as start-up
// made it), forgets the modes shown so far, and presses the keys.
void start(Session& s, const Lines& page, const std::string& keys) {
  s.then([&s, page, keys] {
    if (!page.empty()) s.put_page(page);
    s.forget_modes();
    s.keys(keys);
  });
}

TEST(CompileDriver, StartUpShowsTheTemplateAndTheHelp) {
  Session s;
  s.run();
  for (int r = 1; r <= 7; ++r) EXPECT_EQ(s.shown(r), s.line(r));
  EXPECT_EQ(s.page(), (Lines{"PROGRAM  ;", "VAR  :INTEGER;", "BEGIN", "", "END."}));
  const char* help[] = {"Допустимые конструкции: ", "      IF/then/else", "WHILE/do    REPEAT/until",
                        "   FOR/to(downto)/do",       "       BEGIN/end",   "  WRITELN(x,y,z);halt",
                        "     {комментарий}"};
  for (int row = 13; row <= 19; ++row) {
    const std::string text = help[row - 13];
    EXPECT_EQ(utf8_string(s.con.text_at(35, row, static_cast<int>(cp866_string(text).size()))), text);
    EXPECT_EQ(s.con.inverse_at(35, row), row == 13);
  }
  EXPECT_EQ(s.mark(), cp866_string(" * "));
  EXPECT_EQ(s.indicator(), "    РЕДАКТОР     ");
  EXPECT_EQ(s.position(), (std::pair{1, 1}));
  EXPECT_EQ(s.cursor(), s.position());
  EXPECT_TRUE(s.wb.changed());
}

TEST(CompileDriver, SuccessfulCompilation) {
  struct Case {
    const char* name;
    Lines page;  // none: SUM typed
    std::pair<int, int> full_stop;
  };
  const Case cases[] = {{"SUM typed", NONE, {7, 4}}, {"small letters only", SMALL_LETTERS, {6, 4}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    std::vector<std::string>& modes = s.log_modes();
    start(s, c.page, c.page.empty() ? type_sum() + Keys().f(4).str() : Keys().down(3).f(4).str());
    std::string box[3];
    s.then([&] {
      EXPECT_EQ(s.box(21), "УСПЕШНОЕ ЗАВЕРШЕНИЕ КОМПИЛЯЦИИ");
      EXPECT_EQ(s.con.text_at(50, 22, 16), std::string(16, ' '));
      EXPECT_EQ(s.position(), c.full_stop) << "on the full stop after END, not where F4 was pressed";
      EXPECT_EQ(s.cursor(), s.position());
      EXPECT_EQ(s.mark(), FRAME);
      EXPECT_FALSE(s.wb.changed());
      EXPECT_FALSE(s.wb.compiler().COMPERR);
      EXPECT_EQ(modes, (Lines{"КОМПИЛЯЦИЯ", "РЕДАКТОР"}));
      EXPECT_EQ(s.indicator(), "    РЕДАКТОР     ");
      EXPECT_TRUE(s.con.inverse_at(8, 4)) << "cell 0, written by the compiler";
      EXPECT_EQ(s.page(), c.page.empty() ? SUM_PAGE : c.page) << "the text keeps its small letters";
      for (int row = 21; row <= 23; ++row) box[row - 21] = s.box(row);
      // F4 again does nothing, wherever the position is.
      s.keys(Keys().up(2).f(4));
    });
    s.run();
    for (int row = 21; row <= 23; ++row) EXPECT_EQ(s.box(row), box[row - 21]);
    EXPECT_EQ(s.position(), (std::pair{c.full_stop.first - 2, c.full_stop.second}));
    EXPECT_EQ(modes.size(), 2u) << "no compilation";
    EXPECT_TRUE(s.con.inverse_at(8, 4));
    EXPECT_EQ(s.con.bells(), 0);
  }
}

TEST(CompileDriver, AnalysisErrors) {
  // The scanner's symbol stays at column 60, one blank after the label.
  struct Case {
    const char* name;
    Lines page;  // none: the template
    std::string keys;
    std::string message;
    char symbol;
    std::pair<int, int> place;
  };
  const Lines no_semicolon = {"PROGRAM X;", "VAR A,B,C:INTEGER;", "BEGIN", "A:=1", "B:=2;", "WRITELN(A,B,C);HALT",
                              "END."};
  const Lines brace = {"PROGRAM X;", "VAR A,B,C:INTEGER;", "BEGIN", "A:=1;}", "WRITELN(A,B,C);HALT", "END."};
  const Case cases[] = {
      {"the first F1 on the template: no run", NONE, Keys().f(1), "ошибка в списке переменных", ':', {2, 6}},
      {"Escape on the template: no run", NONE, Keys().right(5).esc(), "ошибка в списке переменных", ':', {2, 6}},
      {"F4 on the template", NONE, Keys().f(4), "ошибка в списке переменных", ':', {2, 6}},
      {"a missing semicolon", no_semicolon, Keys().f(3), "ошибка в константе", 'B', {5, 1}},
      {"a closing brace outside a comment reaches the compiler", brace, Keys().f(4), "ожидается переменная", '}',
       {4, 6}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    start(s, c.page, c.keys);
    std::string box[3];
    std::vector<std::string>* modes = nullptr;
    s.then([&] {
      EXPECT_EQ(s.box(21), " Ошибка компиляции:");
      
      EXPECT_EQ(utf8_string(s.con.text_at(50, 22, 11)), std::string("символ -  ") + c.symbol);
      EXPECT_EQ(s.box(23), " " + c.message);
      EXPECT_EQ(s.position(), c.place);
      EXPECT_EQ(s.cursor(), s.position());
      EXPECT_EQ(s.mark(), FRAME) << "the mark goes after an analysis error";
      EXPECT_FALSE(s.wb.changed());
      EXPECT_TRUE(s.wb.compiler().COMPERR);
      EXPECT_EQ(s.regim(), 1);
      EXPECT_EQ(s.indicator(), "    РЕДАКТОР     ");
      EXPECT_EQ(s.con.bells(), 0);
      for (int row = 21; row <= 23; ++row) box[row - 21] = s.box(row);
      // Without an edit, F4, F1, F3 and Escape neither compile nor run: the
      // display stays and the editor goes on where they were pressed.
      modes = &s.log_modes();
      s.keys(Keys().right(3).f(4).f(1));
    });
    s.then([&] {
      EXPECT_EQ(s.position(), (std::pair{c.place.first, c.place.second + 3}));
      s.keys(Keys().down().f(3));
    });
    s.then([&] { s.keys(Keys().left().esc()); });
    s.run();
    for (int row = 21; row <= 23; ++row) EXPECT_EQ(s.box(row), box[row - 21]);
    EXPECT_EQ(s.position(), (std::pair{c.place.first + 1, c.place.second + 2}));
    EXPECT_EQ(s.cursor(), s.position());
    ASSERT_NE(modes, nullptr);
    for (const std::string& m : *modes) EXPECT_EQ(m, "РЕДАКТОР") << "no compilation and no run";
  }
}

TEST(CompileDriver, CommentErrors) {
  // The character of the text that caused the error stands at column 59;
  // the text stays changed, so F4 or a run request compiles again.
  const Lines head = {"PROGRAM X;", "VAR A:INTEGER;", "BEGIN"};
  auto page = [&](Lines rest) {
    Lines p = head;
    p.insert(p.end(), rest.begin(), rest.end());
    return p;
  };
  Lines unclosed_x = page({"A:=1; {open", "END."});
  unclosed_x.resize(14);
  unclosed_x[13] = std::string(23, ' ') + "x";
  struct Case {
    const char* name;
    Lines page;
    std::string keys;
    std::string message;
    char shown;
    std::pair<int, int> place;
    Lines modes;  // the indicator, from the key on
  };
  const Case cases[] = {
      {"a brace inside a comment, F4", page({"{ a { b }", "END."}), Keys().f(4), "ожидается }", '{', {4, 5},
       {"КОМПИЛЯЦИЯ", "КОМПИЛЯЦИЯ", "РЕДАКТОР"}},
      {"a brace inside a comment, F1", page({"{ a { b }", "END."}), Keys().f(1), "ожидается }", '{', {4, 5},
       {"КОМПИЛЯЦИЯ", "РЕДАКТОР"}},
      {"an unclosed comment: line 14, column 24", page({"A:=1; {open", "END."}), Keys().f(3),
       "не найден символ }", ' ', {14, 24}, {"КОМПИЛЯЦИЯ", "РЕДАКТОР"}},
      {"an unclosed comment: the character at line 14, column 24", unclosed_x, Keys().f(4), "не найден символ }",
       'x', {14, 24}, {"КОМПИЛЯЦИЯ", "КОМПИЛЯЦИЯ", "РЕДАКТОР"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    std::vector<std::string>& modes = s.log_modes();
    start(s, c.page, c.keys);
    s.then([&] {
      EXPECT_EQ(s.box(21), " Ошибка компиляции:");
      EXPECT_EQ(utf8_string(s.con.text_at(50, 22, 10)), std::string("символ - ") + c.shown);
      EXPECT_EQ(s.con.text_at(60, 22, 1), " ");
      EXPECT_EQ(s.box(23), " " + c.message);
      EXPECT_EQ(s.position(), c.place);
      EXPECT_EQ(s.cursor(), s.position());
      EXPECT_EQ(s.mark(), cp866_string(" * ")) << "the mark stays after a comment error";
      EXPECT_TRUE(s.wb.changed());
      EXPECT_EQ(modes, c.modes);
      EXPECT_EQ(s.regim(), 1);
      EXPECT_EQ(s.indicator(), "    РЕДАКТОР     ");
      EXPECT_EQ(s.page(), c.page) << "a compilation changes no text";
      modes.clear();
      s.keys(Keys().f(4));  // compiles again
    });
    s.run();
    EXPECT_EQ(modes, (Lines{"КОМПИЛЯЦИЯ", "КОМПИЛЯЦИЯ", "РЕДАКТОР"}));
    EXPECT_EQ(s.box(23), " " + c.message);
    EXPECT_EQ(s.position(), c.place);
    EXPECT_EQ(s.con.bells(), 0);
  }
}

}  // namespace
}  // namespace telun::testing
