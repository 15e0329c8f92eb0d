// Random key streams into limet: no crash, no hang, the position always on
// the page, the window showing PROG wherever the editor has painted it, and
// no character of the text lost but the one a delete-left removes or what an
// F5 answered "yes" clears.
#include <array>
#include <random>

#include "tests/workbench/session.h"

namespace telun::testing {
namespace {

// A stream of key codes: mostly characters of programs, the editing keys
// and the arrows, the function keys now and then, any byte at all, and
// from time to time the SUM program typed again on a cleared page and run,
// so that runs and their pauses get random keys too.
std::string random_keys(std::uint32_t seed, std::size_t count) {
  std::mt19937 rng(seed);
  const std::string chars = "ABINSX:=;+-*,.(){}0123456789 abinsxQq" + cp866_string("ДдНя");
  const std::uint8_t extended[] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_F1, KEY_F2, KEY_F3, KEY_F4,
                                   KEY_F5, KEY_HOME, KEY_DELETE, 'h', 'p', '(', '-'};
  std::uniform_int_distribution<int> percent(0, 999), any(0, 255);
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(any(rng)) % n; };
  std::string keys;
  while (keys.size() < count) {
    const int k = percent(rng);
    if (k < 500) {
      keys.push_back(chars[pick(chars.size())]);
    } else if (k < 560) {
      keys += Keys().enter();
    } else if (k < 650) {
      keys += Keys().bs();
    } else if (k < 680) {
      keys += Keys().tab();
    } else if (k < 690) {
      keys += Keys().esc();
    } else if (k < 900) {
      keys += Keys().ext(extended[pick(4)]);
    } else if (k < 960) {
      keys += Keys().ext(extended[pick(std::size(extended))]);
    } else if (k < 996) {
      keys.push_back(static_cast<char>(any(rng)));
    } else {
      const std::string run[] = {Keys().f(1), Keys().f(3), Keys().esc()};
      keys += Keys().f(5).text("D").str() + type_sum() + run[pick(3)];
    }
  }
  return keys;
}

bool is_yes(std::uint8_t key) { return key == 132 || key == 164 || key == 'D' || key == 'd'; }

using Census = std::array<int, 256>;  // how often each byte stands in the text, blanks left out

Census census(const LETTER& text) {
  Census n{};
  for (int r = 1; r <= PAGE_ROWS; ++r)
    for (int c = 1; c <= PAGE_COLUMNS; ++c)
      if (text(r, c) != ' ') ++n[text(r, c)];
  return n;
}

// Watches one program from its first key read on.
struct Watch {
  const LETTER* templ = nullptr;  // the page F5 "yes" makes
  const Workbench* wb = nullptr;
  const ScriptedConsole* con = nullptr;
  bool started = false;
  std::array<std::array<bool, PAGE_COLUMNS + 1>, PAGE_ROWS + 1> stale{};  // painted by others, not yet by the editor
  Census before{};
  std::uint8_t last = 0;         // the code read before this one
  bool last_answered = false;    // it answered the F5 question
  bool last_in_editor = false;   // it was read with the editor's mode in force
  long reads = 0, pauses = 0, outputs = 0;

  bool question_shown() const { return con->inverse_at(35, 6); }

  void painted(int column, int row) {
    if (column >= 35 && column <= 58 && row >= 6 && row <= 19) stale[row - 5][column - 34] = false;
  }

  void read(std::uint8_t code) {
    const Source& src = wb->source();
    const LETTER& p = src.PROG;
    const bool question = question_shown();
    ++reads;
    if (wb->machine().REGIM == 3) ++pauses;
    if (con->text_at(49, 21, 4) == "I = ") ++outputs;
    ASSERT_TRUE(src.ROW >= 1 && src.ROW <= PAGE_ROWS && src.COL >= 1 && src.COL <= PAGE_COLUMNS)
        << src.ROW << "," << src.COL;
    for (int r = 0; r <= PAGE_ROWS; ++r)
      for (int c = 0; c <= PAGE_COLUMNS; ++c) {
        if (r == 0 || c == 0) {
          ASSERT_EQ(p.at[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)], ' ') << "off the page";
        } else {
          ASSERT_GE(p(r, c), 32) << "a control code in the text at " << r << "," << c;
        }
      }
    if (!started) {
      // Start-up painted the help over the window; only those places differ.
      for (int r = 1; r <= PAGE_ROWS; ++r)
        for (int c = 1; c <= PAGE_COLUMNS; ++c) {
          stale[r][c] = con->cell(c + 34, r + 5).ch != p(r, c);
          if (stale[r][c]) {
            ASSERT_GE(r, 8) << "only the help lines stand over the text";
          }
        }
      started = true;
    } else if (!question) {
      for (int r = 1; r <= PAGE_ROWS; ++r)
        for (int c = 1; c <= PAGE_COLUMNS; ++c)
          if (!stale[r][c]) {
            ASSERT_EQ(con->cell(c + 34, r + 5).ch, p(r, c)) << "window at " << r << "," << c;
          }
    }
    if (wb->machine().REGIM == 1 && !question) {
      ASSERT_EQ(con->row() - 5, src.ROW) << "the console cursor on the position";
      ASSERT_EQ(con->column() - 34, src.COL) << "the console cursor on the position";
    }
    // What the key before this one did to the text.
    const Census now = census(p);
    if (last_answered && is_yes(last)) {
      ASSERT_TRUE(p == *templ) << "F5 answered yes: the template";
    } else {
      int lost = 0;
      for (std::size_t b = 0; b < now.size(); ++b)
        if (now[b] < before[b]) lost += before[b] - now[b];
      const bool delete_left = last_in_editor && (last & 95) == BSKEY_CODE;
      ASSERT_LE(lost, delete_left ? 1 : 0) << "key " << int(last) << " lost text";
    }
    before = now;
    last = code;
    last_answered = question;
    last_in_editor = wb->machine().REGIM == 1;
  }
  static constexpr int BSKEY_CODE = KEY_BACKSPACE;  // also a second code that masks to it
};

TEST(WorkbenchRandomKeys, TheTextIsNeverLostNorShownWrong) {
  long pauses = 0, outputs = 0, reads = 0;
  int programs = 0, writes_outside = 0;
  LETTER templ;
  {
    Session start;
    start.run();
    templ = start.prog();
  }
  for (std::uint32_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    ScriptedConsole con;
    con.feed(random_keys(seed, 30000), seed);
    while (con.stream_left() > 0) {  // "Q" stopping a run ends a program; start the next one
      Workbench wb(con);
      ++programs;
      Watch w;
      w.templ = &templ;
      w.wb = &wb;
      w.con = &con;
      con.on_write = [&](int column, int row, std::uint8_t) {
        if (column < 1 || column > SCREEN_COLUMNS || row < 1 || row > SCREEN_ROWS) ++writes_outside;
        if (w.started) w.painted(column, row);
      };
      con.after_read = [&](std::uint8_t code) {
        w.read(code);
        if (::testing::Test::HasFatalFailure()) throw ScriptEnded();
      };
      try {
        wb.run();
      } catch (const ScriptEnded&) {
      }
      con.after_read = nullptr;
      con.on_write = nullptr;
      pauses += w.pauses;
      outputs += w.outputs;
      reads += w.reads;
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
  EXPECT_EQ(writes_outside, 0);
  EXPECT_GT(reads, 80000);
  EXPECT_GT(programs, 3) << "Q ended some programs";
  EXPECT_GT(pauses, 100) << "step-by-step runs got random keys";
  EXPECT_GT(outputs, 10) << "SUM ran to its end";
}

}  // namespace
}  // namespace telun::testing
