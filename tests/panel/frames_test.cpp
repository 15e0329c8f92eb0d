// Frame lines, boxes and inverse video on the in-memory screen.
#include <gtest/gtest.h>

#include "panel/frames.h"
#include "panel/screen.h"

namespace telun {
namespace {

TEST(Frames, LinesRunFromTheirStart) {
  ScreenConsole con;
  Frames fr(con);
  fr.GLINE(3, 10, 5, 1);
  EXPECT_EQ(con.text_at(9, 3, 7), std::string(" ") + std::string(5, '\xC4') + " ");
  fr.WLINE(3, 10, 5, 1);
  for (int r = 9; r <= 15; ++r) EXPECT_EQ(con.cell(3, r).ch, r >= 10 && r <= 14 ? 179 : ' ') << r;
  fr.GLINE(20, 1, 0, 2);  // nothing
  fr.WLINE(1, 20, 0, 2);
  EXPECT_EQ(con.row_text(20), std::string(80, ' '));
}

TEST(Frames, BoxesOfBothKindsAndDegenerateSizes) {
  struct Case {
    const char* name;
    int x1, y1, x2, y2, kind;
    std::vector<std::string> rows;  // rows y1..y2, columns x1..x2
  } cases[] = {
      {"single 4x3", 2, 2, 5, 4, 1, {"\xDA\xC4\xC4\xBF", "\xB3  \xB3", "\xC0\xC4\xC4\xD9"}},
      {"double 4x3", 2, 2, 5, 4, 2, {"\xC9\xCD\xCD\xBB", "\xBA  \xBA", "\xC8\xCD\xCD\xBC"}},
      {"one column apart", 2, 2, 3, 5, 1, {"\xDA\xBF", "\xB3\xB3", "\xB3\xB3", "\xC0\xD9"}},
      {"one row apart", 2, 2, 6, 3, 2, {"\xC9\xCD\xCD\xCD\xBB", "\xC8\xCD\xCD\xCD\xBC"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScreenConsole con;
    Frames fr(con);
    fr.BOX12(c.x1, c.y1, c.x2, c.kind, 20, 70, c.y2);
    for (int r = c.y1; r <= c.y2; ++r)
      EXPECT_EQ(con.text_at(c.x1, r, c.x2 - c.x1 + 1), c.rows[r - c.y1]) << "row " << r;
    EXPECT_EQ(con.column(), 70);  // the cursor is left outside the box
    EXPECT_EQ(con.row(), 20);
  }
}

TEST(Frames, BoxLeavesItsInsideAlone) {
  ScreenConsole con;
  Frames fr(con);
  con.go_to(4, 3);
  con.write("x");
  fr.BOX12(2, 2, 6, 1, 1, 1, 4);
  EXPECT_EQ(con.text_at(2, 3, 5), "\xB3 x \xB3");
}

TEST(Frames, InverseVideoPairs) {
  ScreenConsole con;
  Frames fr(con);
  fr.INVERSON();
  con.write("A");
  fr.INVERSOFF();
  con.write("B");
  EXPECT_TRUE(con.inverse_at(1, 1));
  EXPECT_EQ(con.cell(1, 1).bg, 7);  // background 15 keeps its three low bits
  EXPECT_FALSE(con.inverse_at(2, 1));
  EXPECT_EQ(con.cell(2, 1).fg, 15);
  EXPECT_EQ(con.cell(2, 1).bg, 0);
}

}  // namespace
}  // namespace telun
