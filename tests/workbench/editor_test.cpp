// The source editor: inserting, Enter, delete-left and joining, the moves,
// their limits and the refusals that keep every character of the text, the
// painting of the window, the mark of a changed text, and the F5 question.
#include "tests/workbench/session.h"

namespace telun::testing {
namespace {

const std::string FULL = "ABCDEFGHIJKLMNOPQRSTUVWX";  // 24 characters: column 24 holds "X"
const std::string TWENTY = "abcdefghijklmnopqrst";

std::string at_24(const std::string& head, char last) {
  std::string line = head;
  line.resize(PAGE_COLUMNS - 1, ' ');
  return line + last;
}

// Lines "L1".."Ln".
std::vector<std::string> numbered(int n) {
  std::vector<std::string> lines;
  for (int r = 1; r <= n; ++r) lines.push_back("L" + std::to_string(r));
  return lines;
}

std::vector<std::string> with(std::vector<std::string> lines, std::size_t index, std::string line) {
  if (lines.size() <= index) lines.resize(index + 1);
  lines[index] = std::move(line);
  return lines;
}

std::vector<std::string> drop_trailing_blank_lines(std::vector<std::string> lines) {
  for (auto& l : lines) l = trim_right(l);
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

struct EditCase {
  const char* name;
  std::vector<std::string> page;
  int row, col;  // the position the keys start from
  std::string keys;
  std::vector<std::string> expected;
  int erow, ecol;  // the position afterwards
  int bells;
};

TEST(SourceEditor, EditsMovesAndTheirLimits) {
  const auto thirteen = numbered(13);
  const auto fourteen = numbered(14);
  const auto with_14 = with({"AB"}, 13, "Z");  // line 14 holds text
  const EditCase cases[] = {
      // Inserting.
      {"a character in the middle shifts the rest right", {"ABC"}, 1, 2, "x", {"AxBC"}, 1, 3, 0},
      {"typing at column 24 stores there and moves to the next line; nothing flows", {"", "", "ABC", "next"}, 3, 24,
       "x", {"", "", at_24("ABC", 'x'), "next"}, 4, 1, 0},
      {"typing into the blank place at line 14, column 24 stores it and stays", {}, 14, 24, "x",
       with({}, 13, at_24("", 'x')), 14, 24, 0},
      {"typing again at line 14, column 24 is refused", {}, 14, 24, "xy", with({}, 13, at_24("", 'x')), 14, 24, 1},
      {"inserting into a full line is refused", {FULL}, 1, 5, "x", {FULL}, 1, 5, 1},
      {"inserting where only column 24 holds a character is refused", {at_24("A", 'Z')}, 1, 2, "xy",
       {at_24("A", 'Z')}, 1, 2, 2},
      {"Cyrillic, 127 and a capital Q are inserted as typed; other control codes do nothing", {}, 1, 1,
       "\x01" + cp866_string("а") + "\x07\x0c" + cp866_string("Я") + "\x1f\x7fQq", {cp866_string("аЯ") + "\x7fQq"},
       1, 6, 0},
      {"Escape followed at once by a key is no Escape", {}, 1, 1, "\x1b" "A", {"A"}, 1, 2, 0},
      // Enter.
      {"Enter in the middle moves the tail to a new line; the lines below move down",
       with(thirteen, 1, "ABCDEF"), 2, 3, Keys().enter(),
       [&] {
         auto e = thirteen;
         e[1] = "AB";
         e.insert(e.begin() + 2, "CDEF");
         return e;
       }(),
       3, 1, 0},
      {"Enter at column 1 moves the whole line down", {"A", "B"}, 1, 1, Keys().enter(), {"", "A", "B"}, 2, 1, 0},
      {"Enter after the end of a line opens a blank line", {"AB", "C"}, 1, 3, Keys().enter(), {"AB", "", "C"}, 2, 1,
       0},
      {"Enter on line 13 puts its tail into the blank line 14", with(numbered(12), 12, "XYZ"), 13, 2, Keys().enter(),
       with(with(numbered(12), 12, "X"), 13, "YZ"), 14, 1, 0},
      {"Enter on line 14 changes nothing", fourteen, 14, 2, Keys().enter(), fourteen, 14, 2, 0},
      {"Enter while line 14 holds text is refused", with_14, 1, 2, Keys().enter(), with_14, 1, 2, 1},
      {"Enter on line 13 while line 14 holds text is refused", fourteen, 13, 1, Keys().enter(), fourteen, 13, 1, 1},
      // Delete-left and joining.
      {"delete-left in the middle", {"ABCD"}, 1, 3, Keys().bs(), {"ACD"}, 1, 2, 0},
      {"delete-left at column 24 of a full line", {FULL}, 1, 24, Keys().bs(), {"ABCDEFGHIJKLMNOPQRSTUVX"}, 1, 23, 0},
      {"delete-left at line 1, column 1 does nothing", {"AB"}, 1, 1, Keys().bs(), {"AB"}, 1, 1, 0},
      {"a line joins the end of the line above", {"BEGIN", "X:=1;", "END."}, 2, 1, Keys().bs(),
       {"BEGINX:=1;", "END."}, 1, 6, 0},
      {"a blank line above is removed", {"A", "", "B", "C"}, 3, 1, Keys().bs(), {"A", "B", "C"}, 2, 1, 0},
      {"a blank line under a blank line is removed", {"", "", "A"}, 2, 1, Keys().bs(), {"", "A"}, 1, 1, 0},
      {"a blank current line is removed under a full line", {FULL, "", "B"}, 2, 1, Keys().bs(), {FULL, "B"}, 1, 24,
       0},
      {"a line with text under a full line is refused", {FULL, "B"}, 2, 1, Keys().bs(), {FULL, "B"}, 2, 1, 1},
      {"a join that just fits", {TWENTY, "WXYZ", "C"}, 2, 1, Keys().bs(), {TWENTY + "WXYZ", "C"}, 1, 21, 0},
      {"a join one character too long is refused", {TWENTY, "VWXYZ"}, 2, 1, Keys().bs(), {TWENTY, "VWXYZ"}, 2, 1, 1},
      {"leading blanks of the joined line are kept", {"AB", "  C"}, 2, 1, Keys().bs(), {"AB  C"}, 1, 3, 0},
      {"joining line 14 leaves line 14 blank", fourteen, 14, 1, Keys().bs(),
       with(numbered(12), 12, "L13L14"), 13, 4, 0},
      {"a join moves every line below up", fourteen, 2, 1, Keys().bs(),
       [&] {
         auto e = fourteen;
         e[0] = "L1L2";
         e.erase(e.begin() + 1);
         return e;
       }(),
       1, 3, 0},
      // Moves change no text.
      {"left and up at line 1, column 1 do nothing", {"A"}, 1, 1, Keys().left().up(), {"A"}, 1, 1, 0},
      {"right and down at line 14, column 24 do nothing", {"A"}, 14, 24, Keys().right().down(), {"A"}, 14, 24, 0},
      {"left from column 1 goes to column 24 of the line above", {}, 5, 1, Keys().left(), {}, 4, 24, 0},
      {"right from column 24 goes to column 1 of the next line", {}, 4, 24, Keys().right(), {}, 5, 1, 0},
      {"Tab: 1, 9, 17, 24, and no further", {"A"}, 3, 1, Keys().tab(4), {"A"}, 3, 24, 0},
      {"Tab from column 20 goes to 24", {}, 3, 20, Keys().tab(), {}, 3, 24, 0},
      {"small letters as second codes count as the arrows", {}, 5, 5, Keys().ext('h', 2).ext('m').ext('p').ext('k', 3),
       {}, 4, 3, 0},
      {"F2 and other extended keys do nothing", {"A"}, 2, 2,
       Keys().f(2).ext(KEY_HOME).ext(KEY_END).ext(KEY_DELETE).ext(KEY_F6).ext(KEY_F10), {"A"}, 2, 2, 0},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    int bells = 0;
    std::string outside;
    int written = 0, written_outside = 0;  // bytes the keys wrote, and of them outside the text's places
    s.then([&] {
      s.put_page(c.page);
      bells = s.con.bells();
      outside = outside_window(s.con);
      s.con.on_write = [&](int column, int row, std::uint8_t) {
        ++written;
        if (column < 35 || column > 58 || row < 6 || row > 19) ++written_outside;
      };
      s.keys(move_to(c.row, c.col) + c.keys);
    });
    s.run();
    // The text was marked changed at start-up, so nothing is written outside
    // the window; a key that changes no text repaints nothing.
    EXPECT_EQ(written_outside, 0);
    if (drop_trailing_blank_lines(c.page) == drop_trailing_blank_lines(c.expected)) {
      EXPECT_EQ(written, 0);
    }
    EXPECT_EQ(s.page(), drop_trailing_blank_lines(c.expected));
    EXPECT_EQ(s.position(), std::make_pair(c.erow, c.ecol));
    EXPECT_EQ(s.cursor(), s.position()) << "the console cursor stands on the position";
    EXPECT_EQ(s.con.bells() - bells, c.bells);
    EXPECT_EQ(s.window_disagrees(), std::vector<std::string>{}) << "the window shows PROG";
    EXPECT_EQ(outside_window(s.con), outside) << "nothing outside the window changed";
    EXPECT_EQ(s.regim(), 1);
    EXPECT_EQ(s.mark(), cp866_string(" * "));
  }
}

TEST(SourceEditor, EachEditRepaintsOnlyWhatItChanged) {
  // The help lines stand over lines 8..14 of the template: whatever an edit
  // does not repaint still shows them.
  const std::string help_10 = "WHILE/do    REPEAT/until";  // row 15 = line 10
  struct Case {
    const char* name;
    std::string keys;
    std::vector<int> help_rows_left;  // lines whose help text is whole
    std::string line_10;              // how line 10 is shown
  };
  const Case cases[] = {
      {"moves repaint nothing", Keys().down(13).right(23).up(5).tab(2).left(30), {8, 9, 10, 11, 12, 13, 14},
       help_10},
      {"an insertion repaints its line from the position", move_to(10, 3) + "x", {8, 9, 11, 12, 13, 14}, "WHx"},
      {"a delete-left repaints its line from the new position", move_to(10, 5) + Keys().bs().str(),
       {8, 9, 11, 12, 13, 14}, "WHI"},
      {"Enter repaints the lines it moved", move_to(12, 1) + Keys().enter().str(), {8, 9, 10, 11}, help_10},
      {"a join repaints the lines it moved", move_to(13, 1) + Keys().bs().str(), {8, 9, 10, 11}, help_10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    std::vector<std::string> help;
    s.then([&] {
      for (int r = 8; r <= 14; ++r) help.push_back(s.con.text_at(35, r + 5, PAGE_COLUMNS));
      s.keys(c.keys);
    });
    s.run();
    for (int r = 8; r <= 14; ++r) {
      SCOPED_TRACE("line " + std::to_string(r));
      const bool left = std::find(c.help_rows_left.begin(), c.help_rows_left.end(), r) != c.help_rows_left.end();
      if (left) {
        EXPECT_EQ(s.con.text_at(35, r + 5, PAGE_COLUMNS), help[static_cast<std::size_t>(r - 8)]);
      } else if (r != 10) {
        EXPECT_EQ(s.shown(r), s.line(r)) << "repainted from PROG";
      }
    }
    EXPECT_EQ(s.shown(10), c.line_10);
    EXPECT_EQ(s.cursor(), s.position());
  }
}

TEST(SourceEditor, FirstChangeAfterACompilationMarksTheText) {
  // After a successful compilation the written cells are in inverse video
  // and marked in column 1; the first editing key, even one that then
  // changes nothing or is refused, marks the text changed again; moves do not.
  struct Case {
    const char* name;
    std::string keys;
    bool changed;
  };
  // The page: SUM with a comment on line 14, so that line 14 holds text and
  // line 5 is full; F4 leaves the position on line 7, column 4.
  const Case cases[] = {
      {"moves, Tab and F2", Keys().up().left(3).tab().f(2), false},
      {"Enter on line 14", Keys().down(7).enter(), true},
      {"delete-left at line 1, column 1", Keys().up(6).left(3).bs(), true},
      {"a refused insertion", Keys().up(2).text("x"), true},
      {"a refused Enter", Keys().up().enter(), true},
      {"a blank typed", " ", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    s.keys(type_sum() + Keys().down(8).text("{end}").f(4).str());
    LETTER before;
    s.then([&] {
    ASSERT_EQ(s.box(21), "УСПЕШНОЕ ЗАВЕРШЕНИЕ КОМПИЛЯЦИИ");
      ASSERT_EQ(s.mark(), FRAME);
      ASSERT_TRUE(s.con.inverse_at(8, 4)) << "cell 0 as the compiler left it";
      ASSERT_NE(s.con.text_at(1, 4 + 15, 1), " ") << "the mark of a variable beside cell 15";
      before = s.prog();
      s.keys(c.keys);
    });
    s.run();
    EXPECT_EQ(s.wb.changed(), c.changed);
    EXPECT_EQ(s.mark(), c.changed ? cp866_string(" * ") : FRAME);
    EXPECT_EQ(s.con.inverse_at(8, 4), !c.changed);
    EXPECT_EQ(s.con.text_at(1, 4 + 15, 1) == " ", c.changed);
    if (std::string(c.name) != "a blank typed") {
      EXPECT_TRUE(s.prog() == before) << "no text changed";
    }
    EXPECT_EQ(s.cursor(), s.position());
  }
}

TEST(SourceEditor, ClearQuestion) {
  struct Case {
    const char* name;
    std::string answer;
    bool cleared;
    std::string line_1;  // afterwards
  };
  const Case cases[] = {
      {"Д", cp866_string("Д"), true, "PROGRAM  ;"},
      {"д", cp866_string("д"), true, "PROGRAM  ;"},
      {"D", "D", true, "PROGRAM  ;"},
      {"d", "d", true, "PROGRAM  ;"},
      {"N", "N", false, "PROGRAM SUM ;"},
      {"Н (Cyrillic)", cp866_string("Н"), false, "PROGRAM SUM ;"},
      {"Enter", "\r", false, "PROGRAM SUM ;"},
      // Only the prefix is the answer; its second code ";" is then a character.
      {"F1", Keys().f(1), false, ";PROGRAM SUM ;"},
  };
  const std::vector<std::string> TEMPLATE = {"PROGRAM  ;", "VAR  :INTEGER;", "BEGIN", "", "END."};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    s.keys(type_sum() + Keys().f(4).f(5).str());
    s.then([&] {
      EXPECT_EQ(utf8_string(s.con.text_at(35, 6, 24)), "Очистить программу(Д/Н)?");
      EXPECT_TRUE(s.con.inverse_at(35, 6));
      EXPECT_TRUE(s.con.inverse_at(58, 6));
      EXPECT_EQ(s.mark(), FRAME);
      s.keys(c.answer);
    });
    s.run();
    EXPECT_EQ(s.line(1), c.line_1);
    if (c.cleared) {
      EXPECT_EQ(s.page(), TEMPLATE);
    } else {
      std::vector<std::string> expected = SUM_PAGE;
      expected[0] = c.line_1;
      EXPECT_EQ(s.page(), expected);
    }
    EXPECT_EQ(s.wb.changed(), c.cleared || c.line_1[0] == ';');
    EXPECT_EQ(s.mark(), s.wb.changed() ? cp866_string(" * ") : FRAME);
    EXPECT_EQ(s.position(), (std::pair{1, c.line_1[0] == ';' ? 2 : 1}));
    EXPECT_EQ(s.cursor(), s.position());
    EXPECT_FALSE(s.con.inverse_at(35, 6));
    EXPECT_EQ(s.window_disagrees(), std::vector<std::string>{}) << "the question painted over";
    EXPECT_EQ(s.regim(), 1);
  }
}

TEST(SourceEditor, ClearingTheTemplateMarksItChanged) {
  // F1 on the template fails to compile and clears the mark; F5 "Д" brings
  // back the same text, and the mark.
  Session s;
  s.keys(Keys().f(1));
  s.then([&] {
    EXPECT_EQ(s.mark(), FRAME);
    s.keys(Keys().f(5).text("D"));
  });
  s.run();
  EXPECT_TRUE(s.wb.changed());
  EXPECT_EQ(s.mark(), cp866_string(" * "));
}

TEST(SourceEditor, SumTypedAsAPupilTypesIt) {
  // Small letters stay small in PROG; the 24 characters of line 5 wrap the
  // position to line 6 without flowing.
  Session s;
  s.keys(type_sum());
  s.run();
  EXPECT_EQ(s.page(), SUM_PAGE);
  EXPECT_EQ(s.position(), (std::pair{6, 20}));
  for (int r = 1; r <= 7; ++r) EXPECT_EQ(s.shown(r), s.line(r));
  EXPECT_EQ(s.regim(), 1);
  EXPECT_EQ(s.con.bells(), 0);
}

}  // namespace
}  // namespace telun::testing
