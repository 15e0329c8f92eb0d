// The machine panel of each program: the start-up screen and the repaints.
#include <gtest/gtest.h>

#include "panel/panel.h"
#include "tests/panel/golden.h"

namespace telun {
namespace {

struct Program {
  const char* name;
  const MachineConfig& machine;
  const PanelLayout& layout;
};
const Program PROGRAMS[] = {{"telun", TELUN_MACHINE, TELUN_PANEL},
                            {"telunm", TELUNM_MACHINE, TELUNM_PANEL},
                            {"limet", LIMET_MACHINE, LIMET_PANEL}};

// A program's machine and panel after the start-up drawing.
struct Drawn {
  explicit Drawn(const Program& p) : fr(con), m(p.machine), panel(m, fr, p.layout) {
    m.CLRALL();
    m.HILITE = -1;
    fr.INVERSOFF();
    panel.INISCREEN();
  }
  ScreenConsole con;
  Frames fr;
  Machine m;
  Panel panel;
};

TEST(Panel, StartUpScreenOfEachProgram) {
  for (const auto& p : PROGRAMS) {
    SCOPED_TRACE(p.name);
    Drawn d(p);
    d.panel.REGIND();
    expect_golden(d.con, std::string("panel-") + p.name);
    EXPECT_EQ(d.m.PC10, 0);  // numbering the cells left PC at 0
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(d.m.PC[i], 0);
  }
}

TEST(Panel, TextsStandWhereTheyBelong) {
  // Latin register labels, the Cyrillic "А" of the column heading, the
  // vertical bars of the subtraction line, and the title in inverse video.
  Drawn t(PROGRAMS[0]);
  EXPECT_EQ(t.con.text_at(3, 21, 2), "PK");
  EXPECT_EQ(t.con.text_at(3, 23, 2), "CM");
  EXPECT_EQ(t.con.text_at(45, 22, 2), "CK");
  EXPECT_EQ(t.con.cell(16, 2).ch, 0x80);  // Cyrillic А of "А1"
  EXPECT_EQ(t.con.text_at(61, 7, 18), "011 \xB3" "A1-A2\xB3==>A3  ");
  EXPECT_EQ(t.con.text_at(61, 15, 12), " F1,A - ABTO");  // Latin letters
  for (int c = 32; c <= 51; ++c) EXPECT_TRUE(t.con.inverse_at(c, 1)) << c;
  EXPECT_FALSE(t.con.inverse_at(31, 1));
  EXPECT_FALSE(t.con.inverse_at(52, 1));
  for (int c = 0; c < 8; ++c) EXPECT_EQ(t.panel.ADRSTR[c].size(), 3u);
  EXPECT_EQ(t.panel.ADRSTR[5], "101");
  Drawn m(PROGRAMS[1]);
  EXPECT_EQ(m.panel.ADRSTR[10], "1010");
  EXPECT_EQ(m.con.text_at(2, 14, 4), "1010");
}

TEST(Panel, MemoryRowsShowDigitsWithSeparators) {
  struct Case {
    const Program& p;
    int cell, value, column, row;
    const char* text;
  } cases[] = {
      {PROGRAMS[0], 2, 595, 6, 8, "0 0 1 : 0 0 1 : 0 1 0 : 0 1 1"},
      {PROGRAMS[1], 2, 4387, 8, 6, "001 : 0001 : 0010 : 0011"},
      {PROGRAMS[2], 15, 32767, 8, 19, "111 : 1111 : 1111 : 1111"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.p.name);
    Drawn d(c.p);
    d.m.set_cell(c.cell, c.value);
    d.m.CELL = c.cell;
    d.panel.VIZUALMEM();
    EXPECT_EQ(d.con.text_at(c.column, c.row, static_cast<int>(std::string(c.text).size())), c.text);
  }
}

TEST(Panel, OnlyTheMarkedCellIsInInverseVideo) {
  Drawn d(PROGRAMS[0]);
  d.m.HILITE = 5;
  for (int c = 0; c < 8; ++c) {
    d.m.CELL = c;
    d.panel.VIZUALMEM();
  }
  for (int c = 0; c < 8; ++c) {
    const int row = 2 * c + 4;
    for (int col = 6; col <= 34; ++col) EXPECT_EQ(d.con.inverse_at(col, row), c == 5) << c << " " << col;
    EXPECT_FALSE(d.con.inverse_at(5, row));
    EXPECT_FALSE(d.con.inverse_at(35, row));
  }
}

TEST(Panel, RegistersAndCounter) {
  Drawn t(PROGRAMS[0]);
  t.m.RK.fill(1);
  t.m.NUM = 5;
  t.m.P10V2();
  t.panel.VIZUALRK();
  for (int k = 0; k < 6; ++k) t.m.INCPC();
  EXPECT_EQ(t.con.text_at(6, 21, 29), "1 1 1 : 1 1 1 : 1 1 1 : 1 1 1");
  EXPECT_EQ(t.con.text_at(6, 23, 29), "0 0 0 : 0 0 0 : 0 0 0 : 1 0 1");
  EXPECT_EQ(t.con.text_at(39, 22, 5), "1 1 0");
  Drawn m(PROGRAMS[1]);
  for (int k = 0; k < 13; ++k) m.m.INCPC();
  EXPECT_EQ(m.con.text_at(38, 23, 4), "1101");
}

TEST(Panel, ClearingTheMachineScreenKeepsItsFrame) {
  for (const auto& p : PROGRAMS) {
    SCOPED_TRACE(p.name);
    Drawn d(p);
    d.m.set_cell(3, 32767 & p.machine.max_value());
    d.m.OUTNAME = {'A', 'B', 'C'};
    for (int j = 1; j <= 3; ++j) d.panel.show_output(j, d.m.output_line(j, 3));
    const BoxLayout& box = p.layout.screen;
    const std::string before = d.con.text_at(box.x1, 21, box.x2 - box.x1 + 1);
    EXPECT_NE(before.find('1'), std::string::npos);
    d.panel.CLRDISP();
    for (int r = 21; r <= 23; ++r) {
      const std::string inside(static_cast<std::size_t>(box.x2 - box.x1 - 1), ' ');
      EXPECT_EQ(d.con.text_at(box.x1 + 1, r, box.x2 - box.x1 - 1), inside) << r;
      EXPECT_EQ(d.con.cell(box.x1, r).ch, 186);
      EXPECT_EQ(d.con.cell(box.x2, r).ch, 186);
    }
    // The widest output line fits the cleared width exactly.
    d.m.set_cell(3, p.machine.max_value());
    EXPECT_EQ(static_cast<int>(d.m.output_line(1, 3).size()), p.layout.output_width);
  }
}

TEST(Panel, LimetMachineScreenOverlapsTheProgramWindow) {
  Drawn d(PROGRAMS[2]);
  EXPECT_EQ(d.con.cell(34, 20).ch, 192);  // program window's bottom-left corner
  for (int c = 35; c <= 47; ++c) EXPECT_EQ(d.con.cell(c, 20).ch, 196) << c;
  EXPECT_EQ(d.con.cell(48, 20).ch, 201);  // machine screen's top-left corner
  EXPECT_EQ(d.con.cell(59, 20).ch, ' ');  // its title, over the old corner
  EXPECT_EQ(d.con.cell(79, 20).ch, 187);
}

TEST(Panel, AllMemoryRepaintClearsTheMarks) {
  Drawn d(PROGRAMS[2]);
  d.m.HILITE = 3;
  d.m.CELL = 3;
  d.panel.VIZUALMEM();
  EXPECT_TRUE(d.con.inverse_at(8, 7));
  d.m.HILITE = -1;
  d.panel.VIZUALALLMEM();
  EXPECT_FALSE(d.con.inverse_at(8, 7));
  EXPECT_EQ(d.m.CELL, 15);
}

}  // namespace
}  // namespace telun
