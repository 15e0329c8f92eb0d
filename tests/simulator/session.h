#pragma once
// Sessions of telun and telunm on the in-memory console: the keys a pupil
// presses, the pauses at which a test looks at the screen, and the check
// that the panel agrees with the machine.

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "machine/cp866.h"
#include "panel/screen.h"
#include "tests/panel/scripted.h"
#include "simulator/simulator.h"

namespace telun::testing {

// The W digits of a value, most significant first.
inline std::string number_digits(const SimulatorConfig& cfg, int value) {
  std::string s(static_cast<std::size_t>(cfg.machine.W), '0');
  for (int i = cfg.machine.W - 1; i >= 0; --i, value /= 2) s[static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 2);
  return s;
}

// The digits of an instruction word.
inline std::string word_digits(const SimulatorConfig& cfg, int kop, int a1, int a2, int a3) {
  const int aw = cfg.machine.AW;
  return number_digits(cfg, (kop << (cfg.machine.W - 3)) + (a1 << (2 * aw)) + (a2 << aw) + a3);
}

// An address as the panel writes it: AW binary digits.
inline std::string address(const SimulatorConfig& cfg, int a) {
  std::string s;
  for (int i = cfg.machine.AW - 1; i >= 0; --i) s.push_back(static_cast<char>('0' + ((a >> i) & 1)));
  return s;
}

struct CellText {
  int cell;
  std::string digits;
};

// The pupil types the cells in order from the editor's start position
// (cell 0, leftmost digit): down to each cell, its W digits, Enter. The
// cursor ends on the leftmost digit of the cell after the last one typed.
inline Keys type_program(const std::vector<CellText>& cells) {
  Keys k;
  int at = 0;
  for (const CellText& c : cells) {
    k.down(c.cell - at).digits(c.digits).enter();
    at = c.cell + 1;
  }
  return k;
}

// Rows 7..18 of the information window as UTF-8, from the first column of
// its text area to its right-hand frame, trailing blanks removed.
inline std::vector<std::string> info_rows(const ScreenConsole& con, const SimulatorConfig& cfg) {
  std::vector<std::string> rows;
  const int width = cfg.panel.info.x2 - cfg.clear_column;
  for (int r = 7; r <= 18; ++r) rows.push_back(trim_right(utf8_string(con.text_at(cfg.clear_column, r, width))));
  return rows;
}

// Expected rows 7..18, each given from the first column of the text area
// (trailing blanks do not count).
inline std::vector<std::string> window(std::vector<std::string> rows) {
  rows.resize(12);
  for (std::string& r : rows) r = trim_right(r);
  return rows;
}

// The run layout with the instruction's address, a phase label and the
// commentary from row 14; labels stand two columns in, commentary one.
inline std::vector<std::string> run_window(const std::string& pcstr, const std::string& label = "",
                                           const std::vector<std::string>& comments = {},
                                           const std::string& errors = "HET") {
  std::vector<std::string> rows = {"  ВЫПОЛНЕНО:", "  Команда " + pcstr, label.empty() ? "" : "  " + label,
                                   "  ОШИБКИ:", "  " + errors, "  КОММЕНТАРИИ:", ""};
  for (const std::string& c : comments) rows.push_back(c.empty() ? c : " " + c);
  return window(rows);
}

// The stop instruction's output line for a value, as on the machine screen.
inline std::string output_line(const SimulatorConfig& cfg, int value) {
  const std::string d = number_digits(cfg, value);
  const std::size_t aw = static_cast<std::size_t>(cfg.machine.AW);
  return d.substr(0, 3) + " " + d.substr(3, aw) + " " + d.substr(3 + aw, aw) + " " + d.substr(3 + 2 * aw, aw) +
         "   " + std::to_string(value);
}

// The three output lines from the output column, trailing blanks removed.
inline std::vector<std::string> output_lines(const ScreenConsole& con, const SimulatorConfig& cfg) {
  std::vector<std::string> lines;
  for (int r = 21; r <= 23; ++r) {
    lines.push_back(trim_right(con.text_at(cfg.panel.output_column, r, cfg.panel.output_width)));
  }
  return lines;
}

// The memory rows, PK, CM and CK on the screen agree with the machine, the
// executed cell alone is in inverse video, PC10 is the value of the PC
// digits, and every index is within its range.
void expect_panel_agrees(const ScreenConsole& con, const Simulator& sim);

// A program on the scripted console.
struct Session {
  explicit Session(const SimulatorConfig& c) : cfg(c), sim(con, c) {}
  const SimulatorConfig& cfg;
  ScriptedConsole con;
  Simulator sim;
  bool ended = false;  // the program ended by itself ("Q" answered a report)

  void keys(const std::string& k) { con.push_keys(k); }
  void then(std::function<void()> checkpoint) { con.then(std::move(checkpoint)); }
  // Runs until the program ends or the script does, then checks the panel.
  void run() {
    try {
      sim.run();
      ended = true;
    } catch (const ScriptEnded&) {
    }
    expect_panel_agrees(con, sim);
    EXPECT_EQ(con.writes_outside, 0);
    EXPECT_EQ(con.checkpoints_left(), 0u) << "the session ended before every checkpoint was reached";
  }
  std::vector<std::string> info() const { return info_rows(con, cfg); }
  int regim() const { return sim.machine().REGIM; }
  std::string indicator() const {
    return utf8_string(con.text_at(cfg.panel.indicator.column + 7, cfg.panel.indicator.row, 8));
  }
};

// Both programs, for tables over the two configurations.
struct Program {
  const char* name;
  const SimulatorConfig& cfg;
};
inline const Program PROGRAMS[] = {{"telun", TELUN}, {"telunm", TELUNM}};

}  // namespace telun::testing
