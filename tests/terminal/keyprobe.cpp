// A test-only program on the terminal backend: it shows every key code it
// receives, in groups closed by '#', and some code page 866 text; 'Q' ends it.
//
//   row 2        a double frame with Cyrillic text
//   row 4        "ИНВЕРСИЯ" in inverse video, then "pid=" and the process id
//   rows 6..21   one row per group: "N:" and the codes, " ." when closed by '#'
//   rows 22..25  every cp866 byte, 64 a row (the bell byte 7 shown as a blank)

#include <unistd.h>

#include <cstdint>
#include <string>

#include "machine/cp866.h"
#include "panel/terminal.h"

namespace {

constexpr int FIRST_GROUP_ROW = 6;
constexpr int GROUP_ROWS = 16;
constexpr int CHART_ROW = 22;

void start_group(telun::Console& c, int group) {
  const int row = FIRST_GROUP_ROW + (group - 1) % GROUP_ROWS;
  c.go_to(1, row);
  for (int i = 0; i < telun::SCREEN_COLUMNS; ++i) c.write_char(' ');
  c.go_to(1, row);
  c.write_int(group);
  c.write_char(':');
}

void draw(telun::Console& c) {
  c.set_background(0);
  c.set_text_colour(15);
  c.clear();
  const std::string title = telun::cp866_string(" Проба клавиш: Ёё Яя ");
  const int width = 40;
  c.go_to(1, 1);
  c.write_char(201);
  for (int i = 0; i < width - 2; ++i) c.write_char(205);
  c.write_char(187);
  c.go_to(1, 2);
  c.write_char(186);
  c.write(title);
  c.go_to(width, 2);
  c.write_char(186);
  c.go_to(1, 3);
  c.write_char(200);
  for (int i = 0; i < width - 2; ++i) c.write_char(205);
  c.write_char(188);

  c.go_to(1, 4);
  c.set_background(15);
  c.set_text_colour(0);
  c.write(telun::cp866_string("ИНВЕРСИЯ"));
  c.set_background(0);
  c.set_text_colour(15);
  c.write(" pid=");
  c.write_int(static_cast<int>(::getpid()));

  for (int b = 0; b < 256; ++b) {
    if (b % 64 == 0) c.go_to(1, CHART_ROW + b / 64);
    c.write_char(b == telun::BELL ? std::uint8_t{' '} : static_cast<std::uint8_t>(b));
  }
}

void probe(telun::Console& c) {
  draw(c);
  int group = 1;
  start_group(c, group);
  bool second_code = false;  // the next code follows the prefix 0
  for (;;) {
    const std::uint8_t k = c.read_key();
    if (!second_code && k == 'Q') return;
    if (!second_code && k == '#') {
      c.write(" .");
      start_group(c, ++group);
      continue;
    }
    second_code = !second_code && k == telun::KEY_PREFIX;
    c.write_char(' ');
    c.write_int(k);
  }
}

}  // namespace

int main() { return telun::run_in_terminal(probe); }
