#pragma once
// Sessions of limet on the in-memory console: the keys a pupil presses,
// checkpoints at which a test looks at the screen, and readers for the
// program window, the machine screen box and the mode indicator.

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "machine/cp866.h"
#include "panel/screen.h"
#include "tests/panel/scripted.h"
#include "workbench/workbench.h"

namespace telun::testing {

// The SUM program as a pupil types it on the template: the name, the
// variables, then the statements on new lines after BEGIN, with a comment,
// a small variable and small keywords, as the README shows it. The
// position ends on line 6 after HALT, before 'END.'.
inline std::string type_sum() {
  return Keys()
      .right(8).text("SUM")    // 'PROGRAM SUM ;'
      .down().left(7).text("I,S,N")  // 'VAR I,S,N :INTEGER;'
      .down().enter()          // a new line after BEGIN
      .text("n:=5; {how many}").enter()
      .text("for I:=1 to N do S:=S+I;")  // 24 characters: the position wraps to line 6
      .text("WRITELN(I,S,N);HALT");
}

// The page of PROG after type_sum().
inline const std::vector<std::string> SUM_PAGE = {
    "PROGRAM SUM ;", "VAR I,S,N :INTEGER;", "BEGIN", "n:=5; {how many}",
    "for I:=1 to N do S:=S+I;", "WRITELN(I,S,N);HALT", "END."};

// limet on the scripted console.
struct Session {
  ScriptedConsole con;
  Workbench wb{con};
  bool ended = false;  // the program ended by itself ("Q" stopped a run)

  void keys(const std::string& k) { con.push_keys(k); }
  void then(std::function<void()> checkpoint) { con.then(std::move(checkpoint)); }
  // Runs until the program ends or the script does.
  void run() {
    try {
      wb.run();
      ended = true;
    } catch (const ScriptEnded&) {
    }
    // A program that ended by itself may leave checkpoints behind.
    if (!ended) {
      EXPECT_EQ(con.checkpoints_left(), 0u) << "the session ended before every checkpoint was reached";
    }
  }

  const LETTER& prog() const { return wb.source().PROG; }
  // Line r of PROG, trailing blanks removed.
  std::string line(int r) const {
    std::string s;
    for (int c = 1; c <= PAGE_COLUMNS; ++c) s.push_back(static_cast<char>(prog()(r, c)));
    return trim_right(s);
  }
  // The page's lines up to the last that holds text.
  std::vector<std::string> page() const {
    std::vector<std::string> lines;
    for (int r = 1; r <= PAGE_ROWS; ++r) lines.push_back(line(r));
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
  }
  // Line r of the program window as shown, trailing blanks removed.
  std::string shown(int r) const { return trim_right(con.text_at(35, r + 5, PAGE_COLUMNS)); }
  std::pair<int, int> position() const { return {wb.source().ROW, wb.source().COL}; }
  // The console cursor as a place of the page.
  std::pair<int, int> cursor() const { return {con.row() - 5, con.column() - 34}; }
  // Row 21..23 of the machine screen box from column 49, UTF-8, trailing blanks removed.
  std::string box(int row) const { return trim_right(utf8_string(con.text_at(49, row, 30))); }
  std::string mark() const { return con.text_at(35, 20, 3); }  // " * " or the frame
  // Puts lines of text (cp866) into PROG and paints the window with them,
  // as a page the pupil had typed: every other place blank.
  void put_page(const std::vector<std::string>& lines) {
    LETTER& p = wb.source().PROG;
    p.clear();
    for (std::size_t r = 0; r < lines.size(); ++r)
      for (std::size_t c = 0; c < lines[r].size(); ++c)
        p(static_cast<int>(r) + 1, static_cast<int>(c) + 1) = static_cast<std::uint8_t>(lines[r][c]);
    for (int r = 1; r <= PAGE_ROWS; ++r) {
      con.go_to(35, r + 5);
      for (int c = 1; c <= PAGE_COLUMNS; ++c) con.write_char(p(r, c));
    }
    con.go_to(35, 6);
  }
  // The places of the window that do not show the character of PROG, as
  // "line,column" texts.
  std::vector<std::string> window_disagrees() const {
    std::vector<std::string> places;
    for (int r = 1; r <= PAGE_ROWS; ++r)
      for (int c = 1; c <= PAGE_COLUMNS; ++c)
        if (con.cell(c + 34, r + 5).ch != prog()(r, c)) places.push_back(std::to_string(r) + "," + std::to_string(c));
    return places;
  }
  std::string indicator() const { return utf8_string(con.text_at(42, 3, 17)); }
  int regim() const { return wb.machine().REGIM; }
  // Every mode name the indicator shows from now on, one entry per REGIND.
  std::vector<std::string>& log_modes() {
    con.on_write = [this](int column, int row, std::uint8_t ch) {
      if (row != 3 || column < 42 || column > 58) return;
      name_ += static_cast<char>(ch);
      if (column == 58) {
        std::string name = trim_right(utf8_string(name_));
        name.erase(0, name.find_first_not_of(' '));
        modes_shown_.push_back(name);
        name_.clear();
      }
    };
    return modes_shown_;
  }
  void forget_modes() { modes_shown_.clear(); }

 private:
  std::vector<std::string> modes_shown_;
  std::string name_;
};

// Keys that move the position from line 1, column 1 to (row, col).
inline std::string move_to(int row, int col) { return Keys().down(row - 1).right(col - 1); }

// The screen outside the program window's text: every row, with columns
// 35..58 of rows 6..19 left out.
inline std::string outside_window(const ScreenConsole& con) {
  std::string s;
  for (int row = 1; row <= SCREEN_ROWS; ++row) {
    const std::string text = con.row_text(row);
    s += row >= 6 && row <= 19 ? text.substr(0, 34) + text.substr(58) : text;
    s += '\n';
  }
  return s;
}

// The frame of the program window's bottom row, where " * " is not.
inline const std::string FRAME = std::string(3, static_cast<char>(196));

}  // namespace telun::testing
